#include "cli/frame_options.h"

#include "cli/cli_errors.h"
#include "cli/progress.h"
#include "frames/frames_rule.h"
#include "platform/file_identity.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>

namespace cli
{

void addFrameSetOptions(QCommandLineParser &parser)
{
    parser.addOption({{QStringLiteral("w"), QStringLiteral("slit")},
                      QStringLiteral("Slit width in pixels, 1..10 (default 2)."),
                      QStringLiteral("N"),
                      QStringLiteral("2")});
    parser.addOption({{QStringLiteral("s"), QStringLiteral("size")},
                      QStringLiteral("Canvas size, 16..10000 each (default: the first frame's "
                                     "own size, made at most 10000 a side)."),
                      QStringLiteral("WxH")});
    addSourceOptions(parser);
}

void addSourceOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("count"),
                      QStringLiteral("Frames to pick, 2..8, evenly spaced, when the sources hold "
                                     "more than 8 (default 6)."),
                      QStringLiteral("N")});
    parser.addOption({QStringLiteral("from"),
                      QStringLiteral("Take a video's frames from this time on."),
                      QStringLiteral("SECONDS")});
    parser.addOption({QStringLiteral("to"), QStringLiteral("... and before this time."),
                      QStringLiteral("SECONDS")});
    parser.addOption({QStringLiteral("fit"),
                      QStringLiteral("contain: the whole frame on white (default); cover: the "
                                     "canvas filled, the overflow cropped."),
                      QStringLiteral("HOW"), QStringLiteral("contain")});
    parser.addOption({QStringLiteral("silhouette"),
                      QStringLiteral("--silhouette[=T]: each frame black where its luminance is "
                                     "below T (0..255), white elsewhere; T chosen for each frame "
                                     "by Otsu's method when not given.")});
    QCommandLineOption threshold(QStringLiteral("silhouette-threshold"), QString(),
                                 QStringLiteral("T"));
    threshold.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(threshold);
    parser.addOption(
        {QStringLiteral("invert"), QStringLiteral("The silhouette white on black instead.")});
}

QStringList expandOptionalValues(const QStringList &arguments)
{
    const QString prefix = QStringLiteral("--silhouette=");
    QStringList expanded;
    bool options = true;
    for (const QString &argument : arguments) {
        // After "--" every argument is a file, whatever its name.
        if (argument == QLatin1String("--"))
            options = false;
        if (options && argument.startsWith(prefix))
            expanded << QStringLiteral("--silhouette")
                     << QStringLiteral("--silhouette-threshold=") + argument.mid(prefix.size());
        else
            expanded << argument;
    }
    return expanded;
}

namespace
{

double readSeconds(const QCommandLineParser &parser, const QString &option)
{
    const QString text = parser.value(option);
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 1e7)
        throw UsageError(QStringLiteral("--%1 takes seconds from the video's start, not \"%2\"")
                             .arg(option, text));
    return value;
}

} // namespace

void readSourceChoices(const QCommandLineParser &parser, FrameSet &set)
{
    if (parser.isSet(QStringLiteral("count")))
        set.count = readNumber(QStringLiteral("count"), parser.value(QStringLiteral("count")),
                               frames::kMinFrames, frames::kMaxFrames);
    if (parser.isSet(QStringLiteral("from")))
        set.range.from = readSeconds(parser, QStringLiteral("from"));
    if (parser.isSet(QStringLiteral("to")))
        set.range.to = readSeconds(parser, QStringLiteral("to"));
    if (set.range.from && set.range.to && *set.range.to <= *set.range.from)
        throw UsageError(QStringLiteral("--to must come after --from"));
    const QString fit = parser.value(QStringLiteral("fit"));
    if (fit == QLatin1String("cover"))
        set.preparation.fit = sources::Fit::Cover;
    else if (fit != QLatin1String("contain"))
        throw UsageError(QStringLiteral("--fit takes contain or cover, not \"%1\"").arg(fit));
    set.preparation.silhouette = parser.isSet(QStringLiteral("silhouette"));
    if (parser.isSet(QStringLiteral("silhouette-threshold")))
        set.preparation.threshold =
            readNumber(QStringLiteral("silhouette"),
                       parser.value(QStringLiteral("silhouette-threshold")), 0, 255);
    set.preparation.invert = parser.isSet(QStringLiteral("invert"));
    if (set.preparation.invert && !set.preparation.silhouette)
        throw UsageError(QStringLiteral("--invert applies to --silhouette only"));
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
    if (paths.isEmpty())
        throw UsageError(QStringLiteral("%1 to %2 frames are needed, not 0")
                             .arg(frames::kMinFrames)
                             .arg(frames::kMaxFrames));
    return paths;
}

FrameSet readFrameSet(const QCommandLineParser &parser)
{
    FrameSet set;
    set.paths = readFramePaths(parser);
    set.slit = readNumber(QStringLiteral("slit"), parser.value(QStringLiteral("slit")),
                          frames::kMinSlit, frames::kMaxSlit);
    set.canvasFromFirstFrame = !parser.isSet(QStringLiteral("size"));
    if (!set.canvasFromFirstFrame)
        set.canvas = readCanvasSize(parser.value(QStringLiteral("size")));
    readSourceChoices(parser, set);
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
