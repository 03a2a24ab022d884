#pragma once

#include "geometry/fitted_rows.h"

#include <QImage>
#include <QSize>

#include <vector>

// The composed picture of the frames rule made a band of rows at a time: each band takes the
// same rows of every fitted frame and interleaves them, so no canvas is ever held whole.
// Bands of any height, in any order, make exactly the picture ComposeFrames makes of the
// whole fitted frames.
namespace frames
{

class BandComposer
{
  public:
    // frames[i] gives rows of frame i fitted to the canvas. Any slit from 1 is taken: a
    // print sheet's slit is a whole number of printer dots. Throws std::invalid_argument
    // for a count outside 2 .. 8 or a slit below 1.
    BandComposer(std::vector<RowSource> frames, QSize canvas, int slit);

    QSize size() const { return canvas_; }
    // Rows y .. y + count - 1 of the composed picture as red, green, blue bytes.
    void rows(int y, int count, uchar *out, qsizetype stride);
    RowSource source();

  private:
    std::vector<RowSource> frames_;
    QSize canvas_;
    std::vector<uint8_t> frameOf_; // the frame of each column
    std::vector<uchar> scratch_;   // a band of each frame
};

} // namespace frames
