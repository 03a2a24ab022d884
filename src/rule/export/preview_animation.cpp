#include "export/preview_animation.h"

#include "export/animation_file.h"
#include "platform/command_error.h"
#include "platform/message_service.h"

namespace animation
{

void savePreviewAnimation(const QImage &composed, const shapes::ShapeRule &rule,
                          const QString &path)
{
    QImage frame;
    saveAnimation(
        rule.cycleLength,
        [&](int step) {
            rule.previewInto(composed, step, frame);
            return frame;
        },
        kPreviewFrameDelayMs, path);
}

void savePreviewAnimation(const QImage &composed, int slit, int frameCount, const QString &path)
{
    savePreviewAnimation(composed, shapes::StraightRule(slit, frameCount), path);
}

bool savePreviewAnimation(const QImage &composed, const shapes::ShapeRule &rule,
                          const QString &path, MessageService &messages)
{
    try {
        savePreviewAnimation(composed, rule, path);
        return true;
    } catch (const FileNotWritten &e) {
        const QString reason =
            FormatFor(path) ? QString::fromStdString(e.reason())
                            : QStringLiteral("名前は .gif か .webp で終わるものにしてください");
        reportFileNotWritten(messages, path, reason);
        return false;
    }
}

bool savePreviewAnimation(const QImage &composed, int slit, int frameCount, const QString &path,
                          MessageService &messages)
{
    return savePreviewAnimation(composed, shapes::StraightRule(slit, frameCount), path, messages);
}

} // namespace animation
