#pragma once

#include <QImage>
#include <QSize>

#include <functional>
#include <vector>

// A stripe animation's shape as one object: how its frames are composed, what lattice goes
// over the composition and how the preview moves that lattice. The window, the command
// line and the saved previews take a shape through this, so a new shape is one more
// function below and nothing else changes.
namespace shapes
{

// Frame i fitted to the canvas; asked for each frame in order.
using FittedFrame = std::function<QImage(int index)>;

struct ShapeRule {
    int frameCount = 0;
    // Composes frames already fitted to one canvas. Throws std::invalid_argument when they
    // do not fit the rule.
    std::function<QImage(const std::vector<QImage> &canvases)> compose;
    // The same with one fitted frame held at a time. Throws std::bad_alloc when a fitted
    // frame is null.
    std::function<QImage(QSize canvas, const FittedFrame &fittedFrame)> composeFitted;
    // The lattice's size for a composition of the canvas's size, and the lattice itself.
    std::function<QSize(QSize canvas)> latticeSize;
    std::function<QImage(QSize size)> lattice;
    // The preview: step 0 .. cycleLength - 1 of one cycle, after which it looks as it
    // started. previewInto draws the composition under the lattice at a step into `out`,
    // which may be reused from step to step.
    int cycleLength = 0;
    std::function<void(const QImage &composed, int step, QImage &out)> previewInto;
};

// The flat sheet: stripes `slit` pixels wide, the lattice slid one pixel a step.
ShapeRule StraightRule(int slit, int frameCount);
// The disc of `periods` periods: sectors around the centre, the lattice disc turned a
// quarter of a slit a step.
ShapeRule DiscRule(int periods, int frameCount);

} // namespace shapes
