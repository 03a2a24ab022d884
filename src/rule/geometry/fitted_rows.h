#pragma once

#include "platform/picture_rows.h"
#include "platform/row_scaler.h"
#include "platform/surface.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <optional>
#include <vector>

// A picture stretched over a rectangle of a white canvas, made a band of rows at a time:
// however large the canvas, only the picture (held as 24-bit pixels) and the band asked for
// are in memory. Any band equals the same rows of the whole canvas exactly, so a canvas
// made in bands of any height is the canvas made at once. The stretch is RowScaler's, the
// one every fitted picture of the program goes through.
class FittedRows
{
  public:
    // The source rectangle of the picture stretched over dst on a white canvas. Both are
    // rounded to whole pixels edge by edge, half to even, as the surface paints: a source
    // reaching past the picture is cut down and the destination in proportion.
    FittedRows(QImage picture, const RectF &dst, const RectF &src, QSize canvas);

    QSize size() const { return canvas_; }
    // Rows y .. y + count - 1 of the canvas as red, green, blue bytes. Throws
    // std::bad_alloc when the scaler fails.
    void rows(int y, int count, uchar *out, qsizetype stride);
    // The whole canvas, opaque 32-bit; null when there is no memory for it.
    QImage whole();
    // rows() of this object, which must then stay where it is.
    RowSource source();

  private:
    QSize canvas_;
    QRect to_; // where the stretched part lands on the canvas (may reach past it)
    std::optional<RowScaler> scaler_;
    std::vector<uchar> scratch_;
};
