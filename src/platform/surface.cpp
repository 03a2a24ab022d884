#include "platform/surface.h"

#include "platform/numeric.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

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

// Applies op from a source image region (same size as the destination rectangle) whose
// top-left corresponds to destination (dx, dy), clipping both to their bounds.
// The source is taken by value: when it shares its pixels with the destination (a surface
// painted onto itself), writing to the destination detaches it and the source keeps the
// pixels as they were before the operation.
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

QImage blankImage(int width, int height, Colour colour)
{
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image.fill(toQRgb(colour));
    return image;
}

} // namespace

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
    return picture.convertToFormat(QImage::Format_RGB32);
}

Surface::Surface(int width, int height, Colour back, Colour fore)
    : image_(blankImage(width, height, back)), back_(back), fore_(fore)
{
}

void Surface::resize(int width, int height)
{
    if (width == this->width() && height == this->height())
        return;
    QImage resized = blankImage(width, height, back_);
    combine(resized, 0, 0, image_, 0, 0, image_.width(), image_.height(), RasterOp::SrcCopy);
    image_ = resized;
    changed();
}

void Surface::fillBox(double left, double top, double right, double bottom, Colour colour)
{
    int x0 = roundHalfEven(left), x1 = roundHalfEven(right);
    int y0 = roundHalfEven(top), y1 = roundHalfEven(bottom);
    if (x0 > x1)
        std::swap(x0, x1);
    if (y0 > y1)
        std::swap(y0, y1);
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width() - 1);
    y1 = std::min(y1, height() - 1);
    if (x0 > x1 || y0 > y1)
        return;
    const QRgb pixel = toQRgb(colour);
    // Stripes are many narrow boxes: detach once, then step from row to row.
    uchar *row = image_.bits() + y0 * image_.bytesPerLine();
    for (int y = y0; y <= y1; ++y, row += image_.bytesPerLine()) {
        auto *line = reinterpret_cast<QRgb *>(row);
        std::fill(line + x0, line + x1 + 1, pixel);
    }
    changed();
}

void Surface::fillRows(const QImage &row)
{
    const QImage pattern = asSurfaceImage(row);
    if (pattern.isNull() || image_.isNull())
        return;
    const auto *from = reinterpret_cast<const QRgb *>(pattern.constScanLine(0));
    const std::size_t bytes = sizeof(QRgb) * std::size_t(std::min(width(), pattern.width()));
    uchar *to = image_.bits();
    for (int y = 0; y < height(); ++y, to += image_.bytesPerLine())
        std::memcpy(to, from, bytes);
    changed();
}

void Surface::paintPicture(const QImage &picture, const RectF &dst, RasterOp op)
{
    paintPicture(picture, dst, RectF{0, 0, double(picture.width()), double(picture.height())}, op);
}

void Surface::paintPicture(const QImage &picture, const RectF &dst, const RectF &src, RasterOp op)
{
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
    // enlarging), so photographs look good at any size. A raster operation takes the
    // nearest source pixel instead: blending would invent colours and break masks.
    const Qt::TransformationMode mode =
        op == RasterOp::SrcCopy ? Qt::SmoothTransformation : Qt::FastTransformation;
    const QImage stretched =
        to.width() == region.width() && to.height() == region.height()
            ? region
            : asSurfaceImage(region.scaled(to.width(), to.height(), Qt::IgnoreAspectRatio, mode));
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
    uchar *to = image_.bits() + d.y0 * image_.bytesPerLine();
    for (int row = 0; row < d.height(); ++row, to += image_.bytesPerLine()) {
        const auto *a = reinterpret_cast<const unsigned *>(from1.constScanLine(s1.y0 + row));
        const auto *b = reinterpret_cast<const unsigned *>(from2.constScanLine(s2.y0 + row));
        applyRasterOps(toQRgb(colour), first.op, a + s1.x0, second.op, b + s2.x0,
                       reinterpret_cast<unsigned *>(to) + d.x0, d.width());
    }
    changed();
}

void Surface::bitBlt(int x, int y, int w, int h, const Surface &src, int sx, int sy, RasterOp op)
{
    if (w <= 0 || h <= 0)
        return;
    combine(image_, x, y, src.image_, sx, sy, w, h, op);
    changed();
}

Colour Surface::point(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0xFFFFFFFFu;
    return fromQRgb(reinterpret_cast<const QRgb *>(image_.constScanLine(y))[x]);
}

void Surface::pset(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    reinterpret_cast<QRgb *>(image_.scanLine(y))[x] = toQRgb(colour);
    changed();
}

void Surface::setPicture(const QImage &picture)
{
    if (picture.isNull()) {
        clear();
        return;
    }
    if (autoSize_) {
        image_ = asSurfaceImage(picture);
        changed();
        return;
    }
    image_.fill(toQRgb(back_));
    combine(image_, 0, 0, asSurfaceImage(picture), 0, 0, picture.width(), picture.height(),
            RasterOp::SrcCopy);
    changed();
}

void Surface::clear()
{
    // A fresh image rather than a fill: when the pixels are shared with a picture that
    // was assigned (a large photograph on the measuring surface), filling would first
    // copy them all.
    if (image_.isDetached())
        image_.fill(toQRgb(back_));
    else
        image_ = blankImage(width(), height(), back_);
    changed();
}

void Surface::setVisible(bool visible)
{
    visible_ = visible;
    if (view_)
        view_->setVisible(visible);
}

void Surface::attachView(QWidget *view)
{
    view_ = view;
    if (view_)
        view_->setVisible(visible_);
}

void Surface::changed()
{
    if (view_)
        view_->update();
}
