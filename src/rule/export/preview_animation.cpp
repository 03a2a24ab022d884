#include "export/preview_animation.h"

#include "export/animation_file.h"
#include "platform/command_error.h"
#include "platform/message_service.h"

namespace animation
{

void savePreviewAnimation(const QImage &composed, const shapes::ShapeRule &rule,
                          const QString &path, const std::function<void(int drawn)> &beforeFrame)
{
    QImage frame;
    int drawn = 0;
    saveAnimation(
        rule.cycleLength,
        [&](int step) {
            if (beforeFrame)
                beforeFrame(drawn++);
            rule.previewInto(composed, step, frame);
            return frame;
        },
        kPreviewFrameDelayMs, path);
}

int previewAnimationSteps(const shapes::ShapeRule &rule, const QString &path)
{
    // GIF draws every frame once to choose its palette and once to write it.
    return FormatFor(path) == Format::Gif ? 2 * rule.cycleLength : rule.cycleLength;
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
        reportAnimationNotWritten(messages, path, e);
        return false;
    }
}

void reportAnimationNotWritten(MessageService &messages, const QString &path,
                               const FileNotWritten &failure)
{
    const QString reason = FormatFor(path)
                               ? QString::fromStdString(failure.reason())
                               : QStringLiteral("名前は .gif か .webp で終わるものにしてください");
    reportFileNotWritten(messages, path, reason);
}

bool savePreviewAnimation(const QImage &composed, int slit, int frameCount, const QString &path,
                          MessageService &messages)
{
    return savePreviewAnimation(composed, shapes::StraightRule(slit, frameCount), path, messages);
}

} // namespace animation
