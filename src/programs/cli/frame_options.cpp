#include "cli/frame_options.h"

#include "cli/cli_errors.h"
#include "cli/progress.h"
#include "frames/frames_rule.h"
#include "platform/file_identity.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace cli
{

void addFrameSetOptions(QCommandLineParser &parser)
{
    parser.addOption({{QStringLiteral("w"), QStringLiteral("slit")},
                      QStringLiteral("Slit width in pixels, 1..10 (default 2)."),
                      QStringLiteral("N"),
                      QStringLiteral("2")});
    parser.addOption({{QStringLiteral("s"), QStringLiteral("size")},
                      QStringLiteral("Canvas size, 16..10000 each (default 640x480)."),
                      QStringLiteral("WxH"),
                      QStringLiteral("640x480")});
}

int readNumber(const QString &option, const QString &text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageError(QStringLiteral("--%1 takes a whole number from %2 to %3, not \"%4\"")
                             .arg(option)
                             .arg(low)
                             .arg(high)
                             .arg(text));
    return value;
}

QSize readCanvasSize(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,9})[xX](\\d{1,9})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    const int low = frames::kMinCanvasSide;
    const int high = frames::kMaxCanvasSide;
    const QString reason =
        QStringLiteral("--size takes WIDTHxHEIGHT, each from %1 to %2, not \"%3\"")
            .arg(low)
            .arg(high)
            .arg(text);
    if (!match.hasMatch())
        throw UsageError(reason);
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < low || width > high || height < low || height > high)
        throw UsageError(reason);
    return QSize(width, height);
}

QStringList readFramePaths(const QCommandLineParser &parser)
{
    const QStringList paths = parser.positionalArguments();
    if (paths.size() < frames::kMinFrames || paths.size() > frames::kMaxFrames)
        throw UsageError(QStringLiteral("%1 to %2 frames are needed, not %3")
                             .arg(frames::kMinFrames)
                             .arg(frames::kMaxFrames)
                             .arg(paths.size()));
    return paths;
}

FrameSet readFrameSet(const QCommandLineParser &parser)
{
    FrameSet set;
    set.paths = readFramePaths(parser);
    set.slit = readNumber(QStringLiteral("slit"), parser.value(QStringLiteral("slit")),
                          frames::kMinSlit, frames::kMaxSlit);
    set.canvas = readCanvasSize(parser.value(QStringLiteral("size")));
    return set;
}

QString readOutputName(const QCommandLineParser &parser, const QString &option,
                       const QStringList &suffixes)
{
    if (!parser.isSet(option))
        return QString();
    const QString path = parser.value(option);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (path.isEmpty() || !suffixes.contains(suffix))
        throw UsageError(QStringLiteral("--%1 cannot write \"%2\": the name must end in .%3")
                             .arg(option, path, suffixes.join(QStringLiteral(" or ."))));
    return path;
}

void checkDistinctFiles(const QStringList &inputs, const QStringList &outputs)
{
    QStringList seen;
    for (const QString &input : inputs)
        seen << fileKey(input);
    for (const QString &output : outputs) {
        if (output.isEmpty())
            continue;
        const QString key = fileKey(output);
        if (seen.contains(key))
            throw UsageError(
                QStringLiteral("\"%1\" is named twice: each output needs a file of its own, "
                               "apart from the frames")
                    .arg(output));
        seen << key;
    }
}

bool outputsAreFilesOrTell(const QStringList &outputs, Progress &progress)
{
    for (const QString &output : outputs) {
        const QString refusal = output.isEmpty() ? QString() : outputRefusal(output);
        if (refusal.isEmpty())
            continue;
        progress.report(QStringLiteral("cannot write %1: %2").arg(output, refusal));
        progress.report(QStringLiteral("nothing was written"));
        return false;
    }
    return true;
}

} // namespace cli
