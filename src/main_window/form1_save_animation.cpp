#include "main_window/form1.h"

#include "export/animation_file.h"
#include "frames/frames_rule.h"
#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/message_service.h"
#include "platform/platform.h"
#include "state/program_state.h"

namespace
{
// The preview moves the lattice one pixel every 100 ms; the saved animation keeps that pace.
constexpr int kFrameDelayMs = 100;
// The main window animates two pictures.
constexpr int kPictureCount = 2;
} // namespace

void form1::mnusaveanim_Click()
{
    SaveAnimation();
}

// The frames are the preview's own: the composed picture under the lattice slid 0, 1, ...
// pixels, one whole cycle, after which the preview looks as it started. A cancelled
// dialog ends the command silently; a file that could not be written is reported.
void form1::SaveAnimation()
{
    runSilently([&] {
        const QString path =
            platform_.dialogs.showSave(animationSaveRequest(state_.vars.appFolder));
        const QImage composed = state_.main.Picture3.image();
        const int slit = int(state_.vars.lineWidth);
        QImage frame;
        try {
            animation::saveAnimation(
                frames::CycleLength(slit, kPictureCount),
                [&](int offset) {
                    frames::PreviewFrameInto(composed, slit, kPictureCount, offset, frame);
                    return frame;
                },
                kFrameDelayMs, path);
        } catch (const FileNotWritten &e) {
            const QString reason =
                animation::FormatFor(path)
                    ? QString::fromStdString(e.reason())
                    : QStringLiteral("名前は .gif か .webp で終わるものにしてください");
            reportFileNotWritten(platform_.messages, path, reason);
        }
    });
}
