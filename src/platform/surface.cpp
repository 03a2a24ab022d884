#include "platform/surface.h"

#include "platform/numeric.h"

#include <QPainter>

#include <algorithm>

namespace {

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
    for (int row = 0; row < h; ++row) {
        const auto *s = reinterpret_cast<const unsigned *>(src.constScanLine(sy + row)) + sx;
        auto *d = reinterpret_cast<unsigned *>(dst.scanLine(dy + row)) + dx;
        applyRasterOp(op, s, d, w);
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
    for (int y = y0; y <= y1; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image_.scanLine(y));
        std::fill(line + x0, line + x1 + 1, pixel);
    }
    changed();
}

void Surface::paintPicture(const QImage &picture, const RectF &dst, RasterOp op)
{
    paintPicture(picture, dst, RectF{0, 0, double(picture.width()), double(picture.height())},
                 op);
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
    } else {
        const QImage region = source.copy(s.x0, s.y0, s.width(), s.height());
        const Qt::TransformationMode mode =
            op == RasterOp::SrcCopy ? Qt::SmoothTransformation : Qt::FastTransformation;
        const QImage stretched = asSurfaceImage(
            region.scaled(d.width(), d.height(), Qt::IgnoreAspectRatio, mode));
        combine(image_, d.x0, d.y0, stretched, 0, 0, d.width(), d.height(), op);
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
    image_.fill(toQRgb(back_));
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
