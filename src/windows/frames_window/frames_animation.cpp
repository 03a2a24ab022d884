#include "frames_window/frames_animation.h"

void FramesAnimation::compose(const std::vector<QImage> &fitted, const shapes::ShapeRule &rule)
{
    QImage composed = rule.compose(fitted);
    lattice_ = rule.lattice(rule.latticeSize(composed.size()));
    composed_ = std::move(composed);
    rule_ = rule;
    offset_ = 0;
}

void FramesAnimation::compose(const std::vector<QImage> &fitted, int slit)
{
    compose(fitted, shapes::StraightRule(slit, int(fitted.size())));
}

void FramesAnimation::advance()
{
    slideBy(-1);
}

void FramesAnimation::slideBy(int travel)
{
    if (!isComposed())
        return;
    const int cycle = rule_.cycleLength;
    // The offset counts how far the lattice has gone left, so a travel right takes it back.
    const int o = (offset_ - travel) % cycle;
    offset_ = o < 0 ? o + cycle : o;
}

void FramesAnimation::drawFrame(QImage &out) const
{
    if (isComposed())
        rule_.previewInto(composed_, offset_, out);
}
