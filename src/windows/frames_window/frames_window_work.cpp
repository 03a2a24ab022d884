#include "frames_window/frames_window.h"

#include "sources/frame_source.h"
#include "ui/background_work.h"

#include <QApplication>
#include <QPointer>

namespace
{
// Fitting eight frames from pictures of twice its sides onto a canvas of this many pixels,
// as covering silhouettes, composing them into a disc and working out the disc's first
// preview step take 80 ms; saving such a picture and its lattice as PNG 18 ms (against
// 14 ms and 12 ms for a flat sheet at 640 x 480; bench/frames_window_work_bench.cpp). Work
// this small runs at once: a shape's periods changed step by step recompose without the
// controls being held up.
constexpr qint64 kQuickPixels = 800 * 600;
// The pictures fitted are at most this large: fitting takes as long as they are large.
constexpr qint64 kQuickPicturePixels = 4 * kQuickPixels;

qint64 area(QSize size)
{
    return qint64(size.width()) * size.height();
}
} // namespace

// Decoding a file afresh takes as long as the file is large, so that always runs apart.
bool FramesWindow::QuickToCompose(const std::vector<FrameSlot> &frames, QSize canvas)
{
    for (const FrameSlot &frame : frames)
        if (decodesAfresh(frame, canvas) || area(frame.picture.size()) > kQuickPicturePixels)
            return false;
    return area(canvas) <= kQuickPixels;
}

bool FramesWindow::QuickToSave(QSize picture)
{
    return area(picture) <= kQuickPixels;
}

bool FramesWindow::RunWork(const QString &label, int steps, bool quick, const Work &work)
{
    if (quick) {
        work([](int) {});
        return true;
    }
    // Nothing of the window may change under the work, nor be asked for twice, while the
    // window still takes clicks before the progress dialog shows.
    // The control in use (the periods' box stepped on) keeps the keyboard afterwards.
    working_ = true;
    const QPointer<QWidget> focused = QApplication::focusWidget();
    client()->setEnabled(false);
    struct Done {
        FramesWindow &window;
        const QPointer<QWidget> &focused;
        ~Done()
        {
            window.working_ = false;
            window.client()->setEnabled(true);
            if (focused)
                focused->setFocus();
        }
    } done{*this, focused};
    return runInBackground(
        this, label, steps,
        [&work](const std::atomic<bool> &cancel, const std::function<void(int)> &progress) {
            work([&](int step) {
                if (cancel)
                    throw sources::Cancelled();
                progress(step);
            });
        });
}
