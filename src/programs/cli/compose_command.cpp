#include "cli/compose_command.h"

#include "cli/cli_errors.h"
#include "cli/frame_files.h"
#include "cli/frame_options.h"
#include "cli/output_plan.h"
#include "cli/progress.h"
#include "cli/shape_options.h"
#include "export/preview_animation.h"
#include "frames/frames_rule.h"
#include "platform/command_error.h"
#include "platform/file_group.h"
#include "platform/picture_file.h"
#include "platform/picture_rows.h"
#include "shapes/shape_rule.h"

#include <QDir>

#include <future>
#include <new>
#include <system_error>

namespace cli
{

namespace
{

const QStringList kPictureSuffixes{QStringLiteral("png"), QStringLiteral("bmp")};
constexpr int kMostLatticeWidth = frames::kMaxCanvasSide + frames::kMaxFrames * frames::kMaxSlit;

void addComposeOptions(QCommandLineParser &parser)
{
    addFrameSetOptions(parser);
    addShapeOptions(parser,
                    QStringLiteral("straight: stripes under a lattice sheet slid sideways "
                                   "(default); disc: sectors under a lattice disc turned on a "
                                   "pin, with --periods periods around it and no --slit. A "
                                   "lamp's strips are printed by 'lintaro-cli sheet --shape "
                                   "lamp'."),
                    {Shape::Straight, Shape::Disc});
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("The composed picture (.png or .bmp); required."),
                      QStringLiteral("FILE")});
    parser.addOption(
        {{QStringLiteral("l"), QStringLiteral("lattice")},
         QStringLiteral("The lattice sheet (.png or .bmp); for a disc, the lattice disc "
                        "of the canvas's size."),
         QStringLiteral("FILE")});
    parser.addOption(
        {QStringLiteral("lattice-width"),
         QStringLiteral("The lattice sheet's width, at least canvas width + N x slit - 1 to "
                        "cover the picture at every offset (default: canvas width + N x "
                        "slit)."),
         QStringLiteral("PX")});
    parser.addOption({QStringLiteral("frames"),
                      QStringLiteral("Every preview frame, offsets 0 .. N x slit - 1 (a disc: "
                                     "turns 0 .. 4N - 1 of a quarter slit), as "
                                     "DIR/frame-000.png, frame-001.png, ..."),
                      QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("gif"),
                      QStringLiteral("The preview as an animated GIF: one cycle, 100 ms a frame, "
                                     "looping."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("webp"),
                      QStringLiteral("The same as an animated lossless WebP."),
                      QStringLiteral("FILE")});
}

struct ComposeJob {
    FrameSet set;
    ShapeChoice shape;
    QString output;
    QString lattice;
    // Checked against the picture once the frames are known.
    QString latticeWidthText;
    QString framesDir;
    QString gif;
    QString webp;
};

shapes::ShapeRule ruleFor(const ComposeJob &job, int count)
{
    return job.shape.shape == Shape::Disc ? shapes::DiscRule(job.shape.periods, count)
                                          : shapes::StraightRule(job.set.slit, count);
}

// DIR/frame-000.png … for every step of the preview's cycle of `count` frames, when
// --frames is given.
QStringList framePaths(const ComposeJob &job, int count)
{
    QStringList paths;
    if (job.framesDir.isEmpty())
        return paths;
    const QDir dir(job.framesDir);
    const int cycle = ruleFor(job, count).cycleLength;
    for (int offset = 0; offset < cycle; ++offset)
        paths << dir.filePath(QStringLiteral("frame-%1.png").arg(offset, 3, 10, QLatin1Char('0')));
    return paths;
}

ComposeJob readComposeJob(const QCommandLineParser &parser)
{
    ComposeJob job;
    job.set = readFrameSet(parser);
    job.shape = readShapeChoice(parser, {Shape::Straight, Shape::Disc});
    // A disc's stripes are sectors: a slit or a sheet's width would say nothing.
    if (job.shape.shape == Shape::Disc)
        for (const QString &option : {QStringLiteral("slit"), QStringLiteral("lattice-width")})
            if (parser.isSet(option))
                throw UsageError(
                    QStringLiteral("--%1 applies to --shape straight only").arg(option));
    job.output = readOutputName(parser, QStringLiteral("output"), kPictureSuffixes);
    if (job.output.isEmpty())
        throw UsageError(QStringLiteral("--output is required"));
    job.lattice = readOutputName(parser, QStringLiteral("lattice"), kPictureSuffixes);
    if (parser.isSet(QStringLiteral("lattice-width"))) {
        job.latticeWidthText = parser.value(QStringLiteral("lattice-width"));
        // The form now; the width against the picture once the frames are known.
        readNumber(QStringLiteral("lattice-width"), job.latticeWidthText, frames::kMinCanvasSide,
                   kMostLatticeWidth);
    }
    job.framesDir = parser.value(QStringLiteral("frames"));
    if (parser.isSet(QStringLiteral("frames")) && job.framesDir.isEmpty())
        throw UsageError(QStringLiteral("--frames needs a folder name"));
    job.gif = readOutputName(parser, QStringLiteral("gif"), {QStringLiteral("gif")});
    job.webp = readOutputName(parser, QStringLiteral("webp"), {QStringLiteral("webp")});
    // Every name the preview frames may take, whatever the number of frames.
    checkDistinctFiles(job.set.paths, QStringList{job.output, job.lattice, job.gif, job.webp} +
                                          framePaths(job, frames::kMaxFrames));
    return job;
}

// A picture encoded as PNG on a thread of its own where one can start, else when asked for.
std::future<QByteArray> startEncoding(QSize size, RowSource rows)
{
    const auto encode = [size, rows = std::move(rows)] { return encodePngRows(size, rows); };
    try {
        return std::async(std::launch::async, encode);
    } catch (const std::system_error &) {
        return std::async(std::launch::deferred, encode);
    }
}

int runCompose(const QCommandLineParser &parser, Progress &progress)
{
    ComposeJob job = readComposeJob(parser);
    std::optional<PickedFrames> picked = openFramesOrTell(job.set, progress);
    if (!picked)
        return 1;
    const FrameSet &set = job.set;
    const int count = int(picked->picks.size());
    const shapes::ShapeRule rule = ruleFor(job, count);
    QSize latticeSize = rule.latticeSize(set.canvas);
    if (!job.latticeWidthText.isEmpty()) {
        // Slid by up to a cycle less one column, the lattice must still reach past the
        // picture's last column: a narrower one leaves the picture uncovered at some offset.
        const int covering = set.canvas.width() + frames::CycleLength(set.slit, count) - 1;
        latticeSize.setWidth(readNumber(QStringLiteral("lattice-width"), job.latticeWidthText,
                                        covering, kMostLatticeWidth));
    }
    const QStringList framesOut = framePaths(job, count);
    if (!outputsAreFilesOrTell(QStringList{job.output, job.lattice, job.gif, job.webp} + framesOut,
                               progress))
        return 1;

    // The picture and its lattice are one pair, the preview frames one set: each is
    // written whole or leaves every old file as it was.
    OutputPlan plan;
    const QString pair = QStringLiteral("pair");
    const bool straight = job.shape.shape != Shape::Disc;
    const auto addLattice = [&] {
        if (job.lattice.isEmpty())
            return;
        plan.addTogether(pair, job.lattice, [&](FileGroup &files) {
            if (straight) {
                savePictureRows(latticeSize, frames::LatticeRows(latticeSize, set.slit, count),
                                job.lattice, files);
                return;
            }
            const QImage lattice = rule.lattice(latticeSize);
            if (lattice.isNull())
                throw std::bad_alloc();
            savePicture(lattice, job.lattice, files);
        });
    };
    if (straight && framesOut.isEmpty() && job.gif.isEmpty() && job.webp.isEmpty()) {
        // Nothing needs the composed picture whole: it is composed and written a band at a
        // time. A PNG lattice, a few hundred kilobytes of all but repeated rows, is encoded
        // on the second core while the frames decode.
        std::future<QByteArray> latticePng;
        if (job.lattice.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
            latticePng =
                startEncoding(latticeSize, frames::LatticeRows(latticeSize, set.slit, count));
        const std::unique_ptr<FrameBands> bands = prepareFrameFilesOrTell(set, *picked, progress);
        if (!bands)
            return 1;
        plan.addTogether(pair, job.output, [&](FileGroup &files) {
            savePictureRows(set.canvas, bands->composer->source(), job.output, files);
        });
        if (latticePng.valid()) {
            plan.addTogether(pair, job.lattice, [&](FileGroup &files) {
                const QByteArray png = latticePng.get();
                if (png.isEmpty())
                    throw FileNotWritten(job.lattice.toStdString(), "the PNG encoder failed");
                files.add(job.lattice, png);
            });
        } else {
            addLattice();
        }
        return plan.writeAll(progress) ? 0 : 1;
    }

    const std::optional<QImage> result = composeFrameFilesOrTell(set, *picked, progress, rule);
    if (!result)
        return 1;
    const QImage &composed = *result;
    plan.addTogether(pair, job.output,
                     [&](FileGroup &files) { savePicture(composed, job.output, files); });
    addLattice();
    for (const QString &path : {job.gif, job.webp})
        if (!path.isEmpty())
            plan.add(path, [&, path] { animation::savePreviewAnimation(composed, rule, path); });
    // One preview frame at a time, drawn into the same image. Written last, so that a
    // failed run leaves no new folder of frames behind: a folder made for them goes again
    // when they fail.
    QImage frame;
    const auto previewAt = [&](int step) {
        rule.previewInto(composed, step, frame);
        return frame;
    };
    for (int offset = 0; offset < int(framesOut.size()); ++offset) {
        const QString path = framesOut[offset];
        plan.addTogether(
            QStringLiteral("frames"), path,
            [&, offset, path](FileGroup &files) {
                files.makeFolder(job.framesDir);
                savePicture(previewAt(offset), path, files);
            },
            QStringLiteral("frames"));
    }
    return plan.writeAll(progress) ? 0 : 1;
}

} // namespace

Subcommand composeCommand()
{
    return Subcommand{
        QStringLiteral("compose"),
        QStringLiteral("compose [options] FRAME1 FRAME2 [FRAME3 … FRAME8] | compose [options] "
                       "SOURCE ..."),
        QStringLiteral(
            "Compose 2 to 8 frames into a stripe picture or a disc, with its "
            "lattice and previews. A source is a picture, an animated GIF or WebP, a video or a "
            "folder of pictures; their frames follow one another."),
        addComposeOptions, runCompose};
}

} // namespace cli
