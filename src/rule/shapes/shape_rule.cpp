#include "shapes/shape_rule.h"

#include "frames/frames_rule.h"
#include "shapes/disc_rule.h"

#include <memory>
#include <mutex>
#include <optional>

namespace shapes
{

ShapeRule StraightRule(int slit, int frameCount)
{
    ShapeRule rule;
    rule.frameCount = frameCount;
    rule.compose = [slit](const std::vector<QImage> &canvases) {
        return frames::ComposeFrames(canvases, slit);
    };
    rule.composeFitted = [slit, frameCount](QSize, const FittedFrame &fittedFrame) {
        return frames::ComposeFittedFrames(frameCount, slit, fittedFrame);
    };
    rule.latticeSize = [slit, frameCount](QSize canvas) {
        return frames::LatticeSheetSize(canvas, slit, frameCount);
    };
    rule.lattice = [slit, frameCount](QSize size) {
        return frames::FramesLattice(size, slit, frameCount);
    };
    rule.cycleLength = frames::CycleLength(slit, frameCount);
    rule.previewInto = [slit, frameCount](const QImage &composed, int step, QImage &out) {
        frames::PreviewFrameInto(composed, slit, frameCount, step, out);
    };
    return rule;
}

ShapeRule DiscRule(int periods, int frameCount)
{
    ShapeRule rule;
    rule.frameCount = frameCount;
    rule.compose = [periods](const std::vector<QImage> &canvases) {
        return ComposeDisc(canvases, periods);
    };
    rule.composeFitted = [periods, frameCount](QSize canvas, const FittedFrame &fittedFrame) {
        return ComposeFittedDisc(canvas, frameCount, periods, fittedFrame);
    };
    rule.latticeSize = [](QSize canvas) { return canvas; };
    rule.lattice = [periods, frameCount](QSize size) {
        return DiscLattice(size, periods, frameCount);
    };
    rule.cycleLength = DiscCycleLength(frameCount);
    // The pixels' places on the disc are worked out at the first step of a composed
    // picture and kept for the next ones, which the window and the saved previews ask
    // for one after another.
    struct Kept {
        std::mutex lock;
        std::optional<DiscPreview> preview;
    };
    auto kept = std::make_shared<Kept>();
    rule.previewInto = [periods, frameCount, kept](const QImage &composed, int step, QImage &out) {
        const std::lock_guard<std::mutex> hold(kept->lock);
        if (!kept->preview || kept->preview->composed().cacheKey() != composed.cacheKey())
            kept->preview.emplace(composed, periods, frameCount);
        kept->preview->frameInto(step, out);
    };
    return rule;
}

} // namespace shapes
