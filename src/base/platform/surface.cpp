#include "platform/surface.h"

#include "platform/command_error.h"
#include "platform/numeric.h"
#include "platform/smooth_scaling.h"

#include <QPainter>
#include <QRegion>

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
    return convertedSafely(picture, QImage::Format_RGB32);
}

// A new surface holds no pixels yet: it is all background until drawn on or read, so the
// program's many surfaces cost no memory at start-up beyond those its first window shows.
Surface::Surface(int width, int height, Colour back, Colour fore)
    : baseColour_(back), baseSize_(std::max(width, 0), std::max(height, 0)), size_(baseSize_),
      back_(back), fore_(fore)
{
}

void Surface::resize(int width, int height)
{
    const QSize size(std::max(width, 0), std::max(height, 0));
    if (size == size_)
        return;
    const QSize before = size_;
    size_ = size;
    defer(Step{before, size, {}, std::nullopt, {}});
}

void Surface::drawOnDemand(const QRect &area, Drawing draw)
{
    const QRect inside = area & QRect(QPoint(0, 0), size_);
    if (inside.isEmpty())
        return;
    defer(Step{size_, size_, inside, std::nullopt, std::move(draw)});
}

void Surface::defer(Step step)
{
    if (!step.fill && !step.draw && !pending_.empty() && !pending_.back().fill &&
        !pending_.back().draw) {
        // Two resizes in a row cut the surface down to the smaller of each side.
        pending_.back().clip = pending_.back().clip.boundedTo(step.clip);
    } else {
        pending_.push_back(std::move(step));
    }
    prune();
    // A long history of partly hidden drawings is carried out once rather than kept.
    if (pending_.size() > 32)
        settle();
    changed();
}

// Drops what later steps hide entirely: a fill or drawing whose pixels are all drawn again
// by one later fill or drawing, or cut away by later resizes; the starting pixels likewise;
// and resizes with nothing but background before them.
void Surface::prune()
{
    QSize kept = size_; // the pixels no later resize has cut away
    const auto hidden = [&](const QRect &area, std::size_t after) {
        const QRect still = area & QRect(QPoint(0, 0), kept);
        if (still.isEmpty())
            return true;
        for (std::size_t j = after; j < pending_.size(); ++j)
            if ((pending_[j].fill || pending_[j].draw) && pending_[j].area.contains(still))
                return true;
        return false;
    };
    for (std::size_t i = pending_.size(); i-- > 0;) {
        Step &step = pending_[i];
        if (!step.fill && !step.draw) {
            kept = kept.boundedTo(step.clip);
            continue;
        }
        if (hidden(step.area, i + 1))
            pending_.erase(pending_.begin() + std::ptrdiff_t(i));
    }
    const QSize start = baseColour_ ? baseSize_ : image_.size();
    const bool plain = baseColour_ && *baseColour_ == back_;
    if (!plain && hidden(QRect(QPoint(0, 0), start), 0)) {
        image_ = QImage();
        baseColour_ = back_;
        baseSize_ = QSize();
    }
    if (baseColour_ && *baseColour_ == back_) {
        while (!pending_.empty() && !pending_.front().fill && !pending_.front().draw)
            pending_.erase(pending_.begin());
    }
}

// Carries out the pending steps for `part` of the surface only, into out (part's size).
void Surface::render(QImage &out, const QRect &part) const
{
    const auto fillPart = [&](const QRect &area, Colour colour) {
        const QRect r = (area & part).translated(-part.topLeft());
        if (r.isEmpty())
            return;
        const QRgb pixel = toQRgb(colour);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
            std::fill(line + r.left(), line + r.right() + 1, pixel);
        }
    };
    // Start at the newest fill or drawing that covers the whole part, or else from the
    // starting pixels. Pixels outside the surface at any time are background, so that a
    // resize growing the surface again finds them white.
    std::size_t first = pending_.size();
    while (first > 0) {
        const Step &step = pending_[first - 1];
        if ((step.fill || step.draw) && step.area.contains(part & QRect(QPoint(0, 0), step.size)))
            break;
        --first;
    }
    const bool fromStartingPixels = first == 0;
    if (!fromStartingPixels)
        --first;
    // The starting pixels, background beyond them, matter only where no fill or drawing
    // from there on writes its own.
    QRegion unwritten(part);
    for (std::size_t i = first; i < pending_.size() && !unwritten.isEmpty(); ++i)
        if (pending_[i].fill || pending_[i].draw)
            unwritten -= pending_[i].area;
    for (const QRect &area : unwritten) {
        fillPart(area, back_);
        if (!fromStartingPixels)
            continue;
        if (baseColour_) {
            if (*baseColour_ != back_)
                fillPart(area & QRect(QPoint(0, 0), baseSize_), *baseColour_);
        } else {
            const QRect r = area & image_.rect();
            if (!r.isEmpty())
                combine(out, r.x() - part.x(), r.y() - part.y(), image_, r.x(), r.y(), r.width(),
                        r.height(), RasterOp::SrcCopy);
        }
    }
    for (std::size_t i = first; i < pending_.size(); ++i) {
        const Step &step = pending_[i];
        if (step.fill) {
            fillPart(step.area, *step.fill);
        } else if (step.draw) {
            // The drawing sees only its own area: beyond it, the surface was smaller then.
            // Where later steps replace its pixels, it is not worked out at all.
            QRegion shown(step.area & part);
            for (std::size_t j = i + 1; j < pending_.size() && !shown.isEmpty(); ++j) {
                if (pending_[j].fill || pending_[j].draw)
                    shown -= pending_[j].area;
                else
                    shown &= QRect(QPoint(0, 0), pending_[j].clip);
            }
            for (const QRect &r : shown) {
                QImage window(out.scanLine(r.y() - part.y()) + 4 * (r.x() - part.x()), r.width(),
                              r.height(), out.bytesPerLine(), QImage::Format_RGB32);
                step.draw(window, r.topLeft());
            }
        } else {
            const QRect whole(QPoint(0, 0), QSize(part.right() + 1, part.bottom() + 1));
            fillPart(QRect(step.clip.width(), 0, whole.width(), whole.height()), back_);
            fillPart(QRect(0, step.clip.height(), whole.width(), whole.height()), back_);
        }
    }
}

void Surface::settle() const
{
    if (!deferring())
        return;
    QImage settled(size_, QImage::Format_RGB32);
    if (!settled.isNull())
        render(settled, settled.rect());
    image_ = settled;
    pending_.clear();
    baseColour_.reset();
}

std::optional<Colour> Surface::plainColour() const
{
    if (!baseColour_ || !pending_.empty())
        return std::nullopt;
    // Beyond the starting size, a surface grown since is background.
    if (*baseColour_ != back_ &&
        !QRect(QPoint(0, 0), baseSize_).contains(QRect(QPoint(0, 0), size_)))
        return std::nullopt;
    return baseColour_;
}

void Surface::startRewrite()
{
    pending_.clear();
    baseColour_.reset();
    // The pixels are kept only when they are this surface's own and of its size.
    if (image_.size() != size_ || !image_.isDetached())
        image_ = QImage(size_, QImage::Format_RGB32);
}

QImage Surface::topLeft(int width, int height) const
{
    const QRect part = QRect(0, 0, width, height) & QRect(QPoint(0, 0), size_);
    if (part.isEmpty())
        return QImage();
    if (!deferring())
        return part == image_.rect() ? image_ : image_.copy(part);
    if (part_.size() != part.size())
        part_ = QImage(part.size(), QImage::Format_RGB32);
    render(part_, part);
    return part_;
}

void Surface::readTopLeft(int width, int height, int bandRows, const RowsReader &use) const
{
    const QRect part = QRect(0, 0, width, height) & QRect(QPoint(0, 0), size_);
    if (part.isEmpty() || bandRows <= 0)
        return;
    if (!deferring()) {
        use(QImage(image_.constBits(), part.width(), part.height(), image_.bytesPerLine(),
                   QImage::Format_RGB32),
            0);
        return;
    }
    const QSize band(part.width(), std::min(bandRows, part.height()));
    if (part_.size() != band)
        part_ = QImage(band, QImage::Format_RGB32);
    for (int top = 0; top < part.height(); top += band.height()) {
        const int rows = std::min(band.height(), part.height() - top);
        QImage window(part_.bits(), band.width(), rows, part_.bytesPerLine(), QImage::Format_RGB32);
        render(window, QRect(0, top, band.width(), rows));
        use(window, top);
    }
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
    if (deferring()) {
        const QRect box(QPoint(x0, y0), QPoint(x1, y1));
        if (box == QRect(QPoint(0, 0), size_)) {
            // Everything before is covered: the surface starts afresh in one colour.
            pending_.clear();
            image_ = QImage();
            baseColour_ = colour;
            baseSize_ = size_;
            changed();
            return;
        }
        if (!pending_.empty()) {
            defer(Step{size_, size_, box, colour, {}});
            return;
        }
        // A part of a surface of one colour: the pixels are built now, as more boxes tend to
        // follow (a run of stripes), each then drawn straight onto them.
        settle();
    }
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
    if (pattern.isNull())
        return;
    const auto copyDown = [pattern](QImage &out, QPoint origin) {
        const auto *from = reinterpret_cast<const QRgb *>(pattern.constScanLine(0)) + origin.x();
        const std::size_t bytes = sizeof(QRgb) * std::size_t(out.width());
        uchar *to = out.bits();
        for (int y = 0; y < out.height(); ++y, to += out.bytesPerLine())
            std::memcpy(to, from, bytes);
    };
    const QRect area = QRect(0, 0, pattern.width(), height()) & QRect(QPoint(0, 0), size_);
    if (pattern.width() >= width() && deferring()) {
        // Every pixel is drawn again: what is pending is dropped rather than carried out.
        if (baseColour_)
            pending_.clear();
        else
            startRewrite();
    }
    if (baseColour_) {
        // No pixels built yet: until they are needed, the surface holds the row alone.
        drawOnDemand(area, copyDown);
        return;
    }
    settle();
    if (area.isEmpty())
        return;
    QImage rows(image_.bits(), area.width(), area.height(), image_.bytesPerLine(),
                QImage::Format_RGB32);
    copyDown(rows, QPoint(0, 0));
    changed();
}

void Surface::paintPicture(const QImage &picture, const RectF &dst, RasterOp op)
{
    paintPicture(picture, dst, RectF{0, 0, double(picture.width()), double(picture.height())}, op);
}

void Surface::paintPicture(const QImage &picture, const RectF &dst, const RectF &src, RasterOp op)
{
    settle();
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
            : asSurfaceImage(
                  mode == Qt::SmoothTransformation
                      ? smoothScaled(region, QSize(to.width(), to.height()))
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
    settle();
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
    settle();
    combine(image_, x, y, src.image(), sx, sy, w, h, op);
    changed();
}

Colour Surface::point(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0xFFFFFFFFu;
    settle();
    return fromQRgb(reinterpret_cast<const QRgb *>(image_.constScanLine(y))[x]);
}

void Surface::pset(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    settle();
    reinterpret_cast<QRgb *>(image_.scanLine(y))[x] = toQRgb(colour);
    changed();
}

void Surface::setPicture(const QImage &picture)
{
    if (picture.isNull()) {
        clear();
        return;
    }
    // The picture replaces everything, whatever was pending.
    pending_.clear();
    baseColour_.reset();
    if (autoSize_) {
        image_ = asSurfaceImage(picture);
        size_ = image_.size();
        changed();
        return;
    }
    if (image_.size() != size_ || !image_.isDetached())
        image_ = blankImage(width(), height(), back_);
    else
        image_.fill(toQRgb(back_));
    combine(image_, 0, 0, asSurfaceImage(picture), 0, 0, picture.width(), picture.height(),
            RasterOp::SrcCopy);
    changed();
}

void Surface::clear()
{
    pending_.clear();
    if (image_.isDetached() && image_.size() == size_) {
        baseColour_.reset();
        image_.fill(toQRgb(back_));
    } else {
        // Background, built when next read rather than now: the pixels may be shared with a
        // picture that was assigned (a large photograph on the measuring surface), which a
        // fill would first copy, or there may be none yet.
        image_ = QImage();
        baseColour_ = back_;
        baseSize_ = size_;
    }
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
