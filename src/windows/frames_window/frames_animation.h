#pragma once

#include "shapes/shape_rule.h"

#include <QImage>

#include <vector>

// A composed frame animation and the lattice over it: the composed picture, its lattice,
// the shape's rule they were made by, and how far the lattice has moved (slid for a flat
// sheet, turned for a disc). No widgets: the window shows it.
class FramesAnimation
{
  public:
    bool isComposed() const { return !composed_.isNull(); }
    // Composes frames already fitted to one canvas by the shape's rule and draws its
    // lattice (for a flat sheet one period wider than the canvas). The lattice starts at
    // step 0. Throws std::invalid_argument when the frames do not fit the rule.
    void compose(const std::vector<QImage> &fitted, const shapes::ShapeRule &rule);
    // The flat sheet of the given slit.
    void compose(const std::vector<QImage> &fitted, int slit);

    const QImage &composed() const { return composed_; }
    const QImage &lattice() const { return lattice_; }
    const shapes::ShapeRule &rule() const { return rule_; }
    int frameCount() const { return rule_.frameCount; }
    // The preview's step: pixels slid left, or quarter slits turned anticlockwise.
    int offset() const { return offset_; }

    void restart() { offset_ = 0; }
    // One step further; after the last step of a cycle, back to 0.
    void advance();
    // Moves the lattice with the hand: a travel to the right moves it back a step a pixel.
    void slideBy(int travel);
    // The composed picture under the lattice at the current step, into `out`.
    void drawFrame(QImage &out) const;

  private:
    QImage composed_;
    QImage lattice_;
    shapes::ShapeRule rule_;
    int offset_ = 0;
};
