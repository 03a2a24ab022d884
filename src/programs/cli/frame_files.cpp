#include "cli/frame_files.h"

#include "cli/cli_errors.h"
#include "cli/progress.h"
#include "frames/frames_rule.h"
#include "sources/frame_picking.h"
#include "sources/frame_preparation.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <functional>
#include <future>
#include <new>
#include <system_error>

namespace cli
{

namespace
{

// A frame's own size as a canvas: within the frames rule's sides, proportions kept as
// far as they can be.
QSize canvasFor(QSize natural)
{
    if (natural.isEmpty())
        return QSize(640, 480);
    const double high = frames::kMaxCanvasSide;
    const double scale = std::min({1.0, high / natural.width(), high / natural.height()});
    const auto side = [scale](int length) {
        return std::clamp(int(std::lround(length * scale)), frames::kMinCanvasSide,
                          frames::kMaxCanvasSide);
    };
    return QSize(side(natural.width()), side(natural.height()));
}

DecodedPicture decodeFrame(PickedFrames &picked, int index, QSize canvas)
{
    return picked.sequence.frame(index, canvas);
}

// The frame's decoding, started on a thread of its own where one can be had, so that the
// next frame decodes on the second core while this one is fitted and composed; where no
// thread can start it decodes when asked for. One frame decodes at a time: the sources
// read their files in order.
std::future<DecodedPicture> startDecoding(PickedFrames &picked, int index, QSize canvas)
{
    try {
        return std::async(std::launch::async, decodeFrame, std::ref(picked), index, canvas);
    } catch (const std::system_error &) {
        return std::async(std::launch::deferred, decodeFrame, std::ref(picked), index, canvas);
    }
}

} // namespace

PickedFrames openFrames(FrameSet &set, Progress &progress)
{
    progress.step(QStringLiteral("reading %1").arg(set.paths.join(QStringLiteral(", "))));
    // A command line refuses a damaged picture rather than compose what is left of it.
    sources::FrameSequence sequence(set.paths, set.range, WhenDamaged::Refuse);
    const int total = sequence.total();
    PickedFrames picked{std::move(sequence), {}};
    picked.picks = picked.sequence.pick(set.count);
    if (picked.picks.empty())
        throw UsageError(QStringLiteral("%1 to %2 frames are needed, not %3")
                             .arg(frames::kMinFrames)
                             .arg(frames::kMaxFrames)
                             .arg(total));
    if (sources::pickIsChosen(total, set.count))
        progress.note(sources::describePick(picked.picks, total) +
                      QStringLiteral(" (--count N picks another number)"));
    if (set.canvasFromFirstFrame)
        set.canvas = canvasFor(picked.sequence.naturalSize(picked.picks.front()));
    return picked;
}

std::unique_ptr<FrameBands> prepareFrameFiles(const FrameSet &set, PickedFrames &picked,
                                              Progress &progress)
{
    const int count = int(picked.picks.size());
    auto bands = std::make_unique<FrameBands>();
    std::vector<RowSource> sources;
    std::future<DecodedPicture> next = startDecoding(picked, picked.picks[0], set.canvas);
    for (int i = 0; i < count; ++i) {
        const QString path = picked.sequence.pathOf(picked.picks[size_t(i)]);
        progress.step(QStringLiteral("loading frame %1 of %2: %3").arg(i + 1).arg(count).arg(path));
        DecodedPicture decoded = next.get();
        if (i + 1 < count)
            next = startDecoding(picked, picked.picks[size_t(i + 1)], set.canvas);
        bands->frames.push_back(std::make_unique<sources::PreparedFrame>(
            std::move(decoded.picture), decoded.naturalSize, set.canvas, set.preparation));
        sources.push_back(bands->frames.back()->source());
    }
    bands->composer =
        std::make_unique<frames::BandComposer>(std::move(sources), set.canvas, set.slit);
    return bands;
}

QImage composeFrameFiles(const FrameSet &set, PickedFrames &picked, Progress &progress)
{
    return composeFrameFiles(set, picked, progress,
                             shapes::StraightRule(set.slit, int(picked.picks.size())));
}

QImage composeFrameFiles(const FrameSet &set, PickedFrames &picked, Progress &progress,
                         const shapes::ShapeRule &rule)
{
    const int count = int(picked.picks.size());
    std::future<DecodedPicture> next = startDecoding(picked, picked.picks[0], set.canvas);
    return rule.composeFitted(set.canvas, [&](int i) {
        const QString path = picked.sequence.pathOf(picked.picks[size_t(i)]);
        progress.step(QStringLiteral("loading frame %1 of %2: %3").arg(i + 1).arg(count).arg(path));
        const DecodedPicture decoded = next.get();
        if (i + 1 < count)
            next = startDecoding(picked, picked.picks[size_t(i + 1)], set.canvas);
        progress.step(QStringLiteral("composing frame %1 of %2").arg(i + 1).arg(count));
        return sources::PrepareFrame(decoded.picture, decoded.naturalSize, set.canvas,
                                     set.preparation);
    });
}

std::optional<PickedFrames> openFramesOrTell(FrameSet &set, Progress &progress)
{
    try {
        return openFrames(set, progress);
    } catch (const InputNotRead &e) {
        progress.report(QStringLiteral("cannot read %1: %2").arg(e.path(), e.reason()));
    }
    progress.report(QStringLiteral("nothing was written"));
    return std::nullopt;
}

std::optional<QImage> composeFrameFilesOrTell(const FrameSet &set, PickedFrames &picked,
                                              Progress &progress)
{
    return composeFrameFilesOrTell(set, picked, progress,
                                   shapes::StraightRule(set.slit, int(picked.picks.size())));
}

std::optional<QImage> composeFrameFilesOrTell(const FrameSet &set, PickedFrames &picked,
                                              Progress &progress, const shapes::ShapeRule &rule)
{
    try {
        return composeFrameFiles(set, picked, progress, rule);
    } catch (const InputNotRead &e) {
        progress.report(QStringLiteral("cannot read %1: %2").arg(e.path(), e.reason()));
    } catch (const std::bad_alloc &) {
        progress.report(QStringLiteral("not enough memory for a %1 x %2 canvas")
                            .arg(set.canvas.width())
                            .arg(set.canvas.height()));
    }
    progress.report(QStringLiteral("nothing was written"));
    return std::nullopt;
}

std::unique_ptr<FrameBands> prepareFrameFilesOrTell(const FrameSet &set, PickedFrames &picked,
                                                    Progress &progress)
{
    try {
        return prepareFrameFiles(set, picked, progress);
    } catch (const InputNotRead &e) {
        progress.report(QStringLiteral("cannot read %1: %2").arg(e.path(), e.reason()));
    } catch (const std::bad_alloc &) {
        progress.report(QStringLiteral("not enough memory for the frames"));
    }
    progress.report(QStringLiteral("nothing was written"));
    return nullptr;
}

} // namespace cli
