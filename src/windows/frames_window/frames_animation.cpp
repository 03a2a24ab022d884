#include "frames_window/frames_animation.h"

#include "frames/frames_rule.h"

void FramesAnimation::compose(const std::vector<QImage> &fitted, int slit)
{
    QImage composed = frames::ComposeFrames(fitted, slit);
    const int count = int(fitted.size());
    lattice_ =
        frames::FramesLattice(frames::LatticeSheetSize(composed.size(), slit, count), slit, count);
    composed_ = std::move(composed);
    slit_ = slit;
    frameCount_ = count;
    offset_ = 0;
}

void FramesAnimation::advance()
{
    slideBy(-1);
}

void FramesAnimation::slideBy(int travel)
{
    if (!isComposed())
        return;
    const int cycle = frames::CycleLength(slit_, frameCount_);
    // The offset counts how far the lattice has gone left, so a travel right takes it back.
    const int o = (offset_ - travel) % cycle;
    offset_ = o < 0 ? o + cycle : o;
}

void FramesAnimation::drawFrame(QImage &out) const
{
    if (isComposed())
        frames::PreviewFrameInto(composed_, slit_, frameCount_, offset_, out);
}
