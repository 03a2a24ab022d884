#include "export/preview_animation.h"

#include "export/animation_file.h"
#include "frames/frames_rule.h"
#include "platform/command_error.h"
#include "platform/message_service.h"

namespace animation
{

void savePreviewAnimation(const QImage &composed, int slit, int frameCount, const QString &path)
{
    QImage frame;
    saveAnimation(
        frames::CycleLength(slit, frameCount),
        [&](int offset) {
            frames::PreviewFrameInto(composed, slit, frameCount, offset, frame);
            return frame;
        },
        kPreviewFrameDelayMs, path);
}

bool savePreviewAnimation(const QImage &composed, int slit, int frameCount, const QString &path,
                          MessageService &messages)
{
    try {
        savePreviewAnimation(composed, slit, frameCount, path);
        return true;
    } catch (const FileNotWritten &e) {
        const QString reason =
            FormatFor(path) ? QString::fromStdString(e.reason())
                            : QStringLiteral("名前は .gif か .webp で終わるものにしてください");
        reportFileNotWritten(messages, path, reason);
        return false;
    }
}

} // namespace animation
