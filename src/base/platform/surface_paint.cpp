#include "platform/surface.h"

#include "platform/command_error.h"
#include "platform/numeric.h"
#include "platform/pixel_combine.h"
#include "platform/row_scaler.h"
#include "platform/smooth_scaling.h"

#include <QPainter>

#include <algorithm>

// The surface's painting of pictures, which always works on built pixels.

namespace
{

struct PixelRect {
    int x0, y0, x1, y1; // half-open
    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
    bool empty() const { return x1 <= x0 || y1 <= y0; }
};

PixelRect toPixels(const RectF &r)
{
    const int x0 = roundHalfEven(r.x);
    const int y0 = roundHalfEven(r.y);
    return {x0, y0, roundHalfEven(r.x + r.w), roundHalfEven(r.y + r.h)};
}

} // namespace

void combine(QImage &dst, int dx, int dy, const QImage src, int sx, int sy, int w, int h,
             RasterOp op)
{
    // Clip against the source.
    if (sx < 0) {
        dx -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        h += sy;
        sy = 0;
    }
    w = std::min(w, src.width() - sx);
    h = std::min(h, src.height() - sy);
    // Clip against the destination.
    if (dx < 0) {
        sx -= dx;
        w += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        h += dy;
        dy = 0;
    }
    w = std::min(w, dst.width() - dx);
    h = std::min(h, dst.height() - dy);
    if (w <= 0 || h <= 0)
        return;
    // One detach and row arithmetic, not a scanLine() call (each a detach check) per row.
    const uchar *from = src.constBits() + sy * src.bytesPerLine();
    uchar *to = dst.bits() + dy * dst.bytesPerLine();
    for (int row = 0; row < h; ++row) {
        applyRasterOp(op, reinterpret_cast<const unsigned *>(from) + sx,
                      reinterpret_cast<unsigned *>(to) + dx, w);
        from += src.bytesPerLine();
        to += dst.bytesPerLine();
    }
}

QImage asSurfaceImage(const QImage &picture)
{
    if (picture.isNull() || picture.format() == QImage::Format_RGB32)
        return picture;
    if (picture.hasAlphaChannel()) {
        // Transparent parts of a picture show as white, as on a white page.
        QImage flat(picture.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
        return flat;
    }
    return convertedSafely(picture, QImage::Format_RGB32);
}

void Surface::paintPicture(const QImage &picture, const RectF &dst, RasterOp op)
{
    paintPicture(picture, dst, RectF{0, 0, double(picture.width()), double(picture.height())}, op);
}

void Surface::paintPicture(const QImage &picture, const RectF &dst, const RectF &src, RasterOp op)
{
    buildPixels();
    if (picture.isNull() || image_.isNull())
        return;
    const PixelRect d = toPixels(dst);
    const PixelRect s = toPixels(src);
    if (d.empty() || s.empty())
        return;
    const QImage source = asSurfaceImage(picture);
    if (d.width() == s.width() && d.height() == s.height()) {
        combine(image_, d.x0, d.y0, source, s.x0, s.y0, d.width(), d.height(), op);
        changed();
        return;
    }
    // Stretching. Where the source rectangle reaches past the picture there is nothing to
    // paint: the destination is cut down in proportion and left as it is there, as an
    // unstretched paint leaves it.
    const PixelRect inPicture{std::max(s.x0, 0), std::max(s.y0, 0), std::min(s.x1, source.width()),
                              std::min(s.y1, source.height())};
    if (inPicture.empty())
        return;
    const double fx = double(d.width()) / s.width();
    const double fy = double(d.height()) / s.height();
    const PixelRect to{d.x0 + roundHalfEven((inPicture.x0 - s.x0) * fx),
                       d.y0 + roundHalfEven((inPicture.y0 - s.y0) * fy),
                       d.x0 + roundHalfEven((inPicture.x1 - s.x0) * fx),
                       d.y0 + roundHalfEven((inPicture.y1 - s.y0) * fy)};
    if (to.empty())
        return;
    const bool whole = inPicture.x0 == 0 && inPicture.y0 == 0 && inPicture.x1 == source.width() &&
                       inPicture.y1 == source.height();
    const QImage region =
        whole ? source
              : source.copy(inPicture.x0, inPicture.y0, inPicture.width(), inPicture.height());
    // A plain copy is resampled smoothly (area averaging when reducing, bilinear when
    // enlarging; the stretch every fitted picture goes through), so photographs look good at
    // any size. A raster operation takes the
    // nearest source pixel instead: blending would invent colours and break masks.
    const Qt::TransformationMode mode =
        op == RasterOp::SrcCopy ? Qt::SmoothTransformation : Qt::FastTransformation;
    const QImage stretched =
        to.width() == region.width() && to.height() == region.height()
            ? region
            : asSurfaceImage(
                  mode == Qt::SmoothTransformation
                      ? smoothlyStretched(region, QSize(to.width(), to.height()))
                      : region.scaled(to.width(), to.height(), Qt::IgnoreAspectRatio, mode));
    // A stretch too large for the memory there is comes back empty: the command ends.
    if (stretched.isNull())
        throw CommandError("not enough memory to stretch the picture");
    combine(image_, to.x0, to.y0, stretched, 0, 0, to.width(), to.height(), op);
    changed();
}

void Surface::fillAndPaint(const RectF &dst, Colour colour, const Layer &first, const Layer &second)
{
    const PixelRect d = toPixels(dst);
    const PixelRect s1 = toPixels(first.src);
    const PixelRect s2 = toPixels(second.src);
    const auto fits = [&d](const PixelRect &s, const QImage &picture) {
        return picture.format() == QImage::Format_RGB32 && s.width() == d.width() &&
               s.height() == d.height() && s.x0 >= 0 && s.y0 >= 0 && s.x1 <= picture.width() &&
               s.y1 <= picture.height();
    };
    const bool inside = !d.empty() && d.x0 >= 0 && d.y0 >= 0 && d.x1 <= width() && d.y1 <= height();
    buildPixels();
    if (!inside || !fits(s1, first.picture) || !fits(s2, second.picture)) {
        if (!d.empty())
            fillBox(d.x0, d.y0, d.x1 - 1, d.y1 - 1, colour);
        paintPicture(first.picture, dst, first.src, first.op);
        paintPicture(second.picture, dst, second.src, second.op);
        return;
    }
    // Taken by value, like combine's source, in case a picture is this surface's own image.
    const QImage from1 = first.picture;
    const QImage from2 = second.picture;
    uchar *to = image_.bits() + d.y0 * image_.bytesPerLine() + 4 * d.x0;
    applyRasterOps(toQRgb(colour), first.op,
                   PixelRows{from1.constScanLine(s1.y0) + 4 * s1.x0, from1.bytesPerLine()},
                   second.op,
                   PixelRows{from2.constScanLine(s2.y0) + 4 * s2.x0, from2.bytesPerLine()}, to,
                   image_.bytesPerLine(), d.width(), d.height());
    changed();
}

void Surface::bitBlt(int x, int y, int w, int h, const Surface &src, int sx, int sy, RasterOp op)
{
    if (w <= 0 || h <= 0)
        return;
    buildPixels();
    combine(image_, x, y, src.image(), sx, sy, w, h, op);
    changed();
}
