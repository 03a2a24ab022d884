#include "frames_window/frames_window.h"

#include "frames_window/preview_view.h"
#include "platform/platform.h"

#include <stdexcept>

namespace
{
const QString kTitle = QStringLiteral("コマアニメーション");
constexpr int kTickMs = 100;
// Composing holds every fitted frame, the composition, its lattice and the preview at
// once; past this many bytes the program would risk running out of memory.
constexpr qint64 kComposeMemoryLimit = qint64(1536) << 20;
} // namespace

bool FramesWindow::EnoughFramesOrTell()
{
    if (slots_.frameCount() >= frames::kMinFrames)
        return true;
    platform_.messages.showWarning(
        kTitle, QStringLiteral("合成するには、２つ以上のコマに絵を読み込んでください。"));
    return false;
}

void FramesWindow::Compose_Click()
{
    StopAnimation();
    if (!EnoughFramesOrTell())
        return;
    const int count = slots_.frameCount();
    const QSize canvas = CanvasSize();
    // A disc's preview keeps where every pixel lies on it, as much again as two canvases.
    const int kept = ShapeOption[kDisc]->isChecked() ? 2 : 0;
    const qint64 bytes = qint64(canvas.width()) * canvas.height() * 4 * (count + 3 + kept);
    if (bytes > kComposeMemoryLimit) {
        platform_.messages.showWarning(
            kTitle, QStringLiteral("%1 × %2 の絵を %3 コマで合成するにはメモリーが足りません。\n"
                                   "絵の大きさを小さくしてください。")
                        .arg(canvas.width())
                        .arg(canvas.height())
                        .arg(count));
        return;
    }
    // The work has copies of its own, and the window takes what it made only once it is
    // whole: cancelled or failing, the window keeps the composition it had.
    const std::vector<FrameSlot> frames = slots_.frames();
    const shapes::ShapeRule rule = ChosenRule(count);
    const sources::Preparation preparation = FramePreparation();
    FramesAnimation made;
    QImage shown;
    bool done = false;
    try {
        done = RunWork(QStringLiteral("合成しています…"), count + 2, QuickToCompose(frames, canvas),
                       [&](const std::function<void(int)> &step) {
                           std::vector<QImage> fitted;
                           for (const FrameSlot &frame : frames) {
                               step(int(fitted.size()));
                               fitted.push_back(fittedFrame(frame, canvas, preparation));
                           }
                           step(count);
                           made.compose(fitted, rule);
                           fitted.clear();
                           step(count + 1);
                           // A disc works out where each pixel lies at its first preview
                           // step, as long as composing takes; done here, 「うごかす」
                           // starts at once.
                           made.drawFrame(shown);
                           // The preview's own pixels, which its steps are drawn into.
                           shown = made.composed().copy();
                       });
    } catch (const std::exception &) {
        platform_.messages.showWarning(kTitle, QStringLiteral("合成できませんでした。"));
        return;
    }
    if (!done)
        return;
    animation_ = std::move(made);
    // Handed over rather than copied here: a large picture's copy alone held the window for
    // half a second.
    PreviewSurface.setAutoSize(true);
    PreviewSurface.setPicture(shown);
    PreviewSurface.setAutoSize(false);
    Preview->resize(canvas.width() + 2 * Preview->borderWidth(),
                    canvas.height() + 2 * Preview->borderWidth());
    EnableComposedCommands();
}

void FramesWindow::StartPreview_Click()
{
    if (!animation_.isComposed())
        return;
    StartPreview->hide();
    StopPreview->show();
    animation_.restart();
    ShowPreviewFrame();
    timer_->setInterval(kTickMs);
}

void FramesWindow::StopPreview_Click()
{
    StopAnimation();
}

void FramesWindow::PreviewTimer_Timer()
{
    animation_.advance();
    ShowPreviewFrame();
}

// By hand only while the preview stands still: the clock owns the lattice while it runs.
void FramesWindow::Preview_Drag(int travel)
{
    if (timer_->interval() != 0 || !animation_.isComposed())
        return;
    animation_.slideBy(travel);
    ShowPreviewFrame();
}

void FramesWindow::StopAnimation()
{
    timer_->setInterval(0);
    StopPreview->hide();
    StartPreview->show();
}

void FramesWindow::ShowPreviewFrame()
{
    PreviewSurface.editPixels([&](QImage &image) { animation_.drawFrame(image); });
}

void FramesWindow::EnableComposedCommands()
{
    const bool composed = animation_.isComposed();
    for (QWidget *w : {static_cast<QWidget *>(StartPreview), static_cast<QWidget *>(Save),
                       static_cast<QWidget *>(SaveAnimation), static_cast<QWidget *>(PrintPicture),
                       static_cast<QWidget *>(PrintLattice)})
        w->setEnabled(composed);
}
