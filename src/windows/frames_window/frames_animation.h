#pragma once

#include <QImage>

#include <vector>

// A composed frame animation and the lattice over it: the composed picture, its lattice
// sheet, and how far the lattice has slid. No widgets: the window shows it.
class FramesAnimation
{
  public:
    bool isComposed() const { return !composed_.isNull(); }
    // Composes frames already fitted to one canvas and draws the lattice sheet, one period
    // wider than the canvas. The lattice starts at offset 0. Throws std::invalid_argument
    // when the frames or the slit do not fit the rule.
    void compose(const std::vector<QImage> &fitted, int slit);

    const QImage &composed() const { return composed_; }
    const QImage &lattice() const { return lattice_; }
    int slit() const { return slit_; }
    int frameCount() const { return frameCount_; }
    int offset() const { return offset_; }

    void restart() { offset_ = 0; }
    // One pixel further left; after the last offset of a cycle, back to 0.
    void advance();
    // Moves the lattice with the hand: a travel to the right slides it right.
    void slideBy(int travel);
    // The composed picture under the lattice at the current offset, into `out`.
    void drawFrame(QImage &out) const;

  private:
    QImage composed_;
    QImage lattice_;
    int slit_ = 0;
    int frameCount_ = 0;
    int offset_ = 0;
};
