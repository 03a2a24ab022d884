#pragma once

#include <QImage>

#include <vector>

// The source index each of `drawn` pixels takes when `source` pixels are stretched onto them
// by the nearest pixel, in 16.16 fixed point exactly as QImage::scaled(Qt::FastTransformation)
// steps through them. Holds for any stretch up to 256 times.
std::vector<int> nearestSamples(int source, int drawn);

// A picture stretched to width x height by the nearest pixel, as a stretched raster paint
// takes it, read row by row. When only the number of rows changes (480 rows squeezed into
// 464) the rows are the picture's own and nothing is copied; otherwise the picture is
// stretched once.
class NearestRows
{
  public:
    NearestRows(const QImage &picture, int width, int height);

    bool isNull() const { return picture_.isNull(); }
    const QRgb *row(int y) const
    {
        return reinterpret_cast<const QRgb *>(picture_.constScanLine(rows_[std::size_t(y)]));
    }

  private:
    QImage picture_; // Format_RGB32
    std::vector<int> rows_;
};
