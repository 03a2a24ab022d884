#include "platform/surface.h"

#include "platform/numeric.h"
#include "platform/pixel_combine.h"

#include <algorithm>
#include <cstring>

namespace
{

QImage blankImage(QSize size, Colour colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(toQRgb(colour));
    return image;
}

// A part of out, as an image of its own that writes into out's pixels.
QImage window(QImage &out, const QRect &r)
{
    return QImage(out.bits() + r.y() * out.bytesPerLine() + 4 * r.x(), r.width(), r.height(),
                  out.bytesPerLine(), QImage::Format_RGB32);
}

} // namespace

// A new surface holds no pixels yet: it is all background until drawn on, so the program's
// many surfaces cost no memory at start-up beyond those its first window shows.
Surface::Surface(int width, int height, Colour back, Colour fore)
    : plain_(back), size_(std::max(width, 0), std::max(height, 0)), back_(back), fore_(fore)
{
}

void Surface::resize(int width, int height)
{
    const QSize size(std::max(width, 0), std::max(height, 0));
    if (size == size_)
        return;
    const QRect kept = QRect(QPoint(0, 0), size_) & QRect(QPoint(0, 0), size);
    if (pending_) {
        pending_->area &= kept;
        if (pending_->area.isEmpty())
            pending_.reset();
    }
    if (!image_.isNull() || (plain_ != back_ && kept.size() != size)) {
        // Built pixels, or a plain colour that does not reach the new edges: background
        // around what is kept.
        QImage resized = blankImage(size, back_);
        if (image_.isNull())
            window(resized, kept).fill(toQRgb(plain_));
        else
            combine(resized, 0, 0, image_, 0, 0, kept.width(), kept.height(), RasterOp::SrcCopy);
        image_ = resized;
        if (image_.isNull())
            plain_ = back_;
    }
    size_ = size;
    changed();
}

void Surface::startPlain(Colour colour)
{
    image_ = QImage();
    plain_ = colour;
    pending_.reset();
}

void Surface::drawOnDemand(const QRect &area, Drawing draw)
{
    const QRect whole(QPoint(0, 0), size_);
    const QRect inside = area & whole;
    if (inside.isEmpty())
        return;
    if (inside == whole)
        startPlain(back_); // nothing beneath shows
    else if (pending_ && !inside.contains(pending_->area))
        buildPixels(); // the waiting drawing still shows in part
    pending_ = Pending{inside, std::move(draw)};
    changed();
}

void Surface::buildPixels()
{
    if (image_.isNull()) {
        if (size_.isEmpty()) {
            pending_.reset();
            return;
        }
        image_ = blankImage(size_, plain_);
    }
    if (!pending_)
        return;
    QImage part = window(image_, pending_->area);
    pending_->draw(part, pending_->area.topLeft());
    pending_.reset();
}

// The pixels of `part` of a surface into out (part's size): the image, or when it is null
// plain everywhere, and the pending drawing over it.
void Surface::render(const QImage &image, Colour plain, const std::optional<Pending> &pending,
                     QImage &out, const QRect &part)
{
    const QRect drawn = pending ? pending->area & part : QRect();
    // What lies beneath the waiting drawing matters only where it does not cover the part.
    if (drawn != part) {
        if (image.isNull()) {
            out.fill(toQRgb(plain));
        } else {
            const std::size_t bytes = 4 * std::size_t(part.width());
            for (int y = 0; y < part.height(); ++y)
                std::memcpy(out.scanLine(y), image.constScanLine(part.y() + y) + 4 * part.x(),
                            bytes);
        }
    }
    if (drawn.isEmpty())
        return;
    QImage into = window(out, drawn.translated(-part.topLeft()));
    pending->draw(into, drawn.topLeft());
}

Surface::Drawing Surface::snapshot() const
{
    return [image = image_, plain = plain_, pending = pending_](QImage &out, QPoint origin) {
        render(image, plain, pending, out, QRect(origin, out.size()));
    };
}

QImage Surface::image() const
{
    if (!pending_ && !image_.isNull())
        return image_;
    QImage out(size_, QImage::Format_RGB32);
    if (!out.isNull())
        render(image_, plain_, pending_, out, out.rect());
    return out;
}

std::optional<Colour> Surface::plainColour() const
{
    if (!image_.isNull() || pending_)
        return std::nullopt;
    return plain_;
}

void Surface::startRewrite()
{
    pending_.reset();
    // The pixels are kept only when they are this surface's own and of its size.
    if (image_.size() != size_ || !image_.isDetached())
        image_ = QImage(size_, QImage::Format_RGB32);
}

void Surface::readTopLeft(int width, int height, int bandRows, const RowsReader &use) const
{
    const QRect part = QRect(0, 0, width, height) & QRect(QPoint(0, 0), size_);
    if (part.isEmpty() || bandRows <= 0)
        return;
    if (!pending_ && !image_.isNull()) {
        use(QImage(image_.constBits(), part.width(), part.height(), image_.bytesPerLine(),
                   QImage::Format_RGB32),
            0);
        return;
    }
    QImage band(part.width(), std::min(bandRows, part.height()), QImage::Format_RGB32);
    for (int top = 0; top < part.height(); top += band.height()) {
        const int rows = std::min(band.height(), part.height() - top);
        QImage rowsOfBand = window(band, QRect(0, 0, band.width(), rows));
        render(image_, plain_, pending_, rowsOfBand, QRect(0, top, band.width(), rows));
        use(rowsOfBand, top);
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
    if ((image_.isNull() || pending_) &&
        QRect(QPoint(x0, y0), QPoint(x1, y1)) == QRect(QPoint(0, 0), size_)) {
        // Everything before is covered: the surface starts afresh in one colour.
        startPlain(colour);
        changed();
        return;
    }
    // A part of a surface: the pixels are built now, as more boxes tend to follow (a run of
    // stripes), each then drawn straight onto them.
    buildPixels();
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
    const QRect area = QRect(0, 0, pattern.width(), height()) & QRect(QPoint(0, 0), size_);
    if (pattern.isNull() || area.isEmpty())
        return;
    const auto copyDown = [pattern](QImage &out, QPoint origin) {
        const auto *from = reinterpret_cast<const QRgb *>(pattern.constScanLine(0)) + origin.x();
        const std::size_t bytes = sizeof(QRgb) * std::size_t(out.width());
        uchar *to = out.bits();
        for (int y = 0; y < out.height(); ++y, to += out.bytesPerLine())
            std::memcpy(to, from, bytes);
    };
    if (image_.isNull()) {
        // No pixels built yet: until they are needed, the surface holds the row alone.
        drawOnDemand(area, copyDown);
        return;
    }
    // Rows as wide as the surface write every pixel: what it held is not built first.
    if (area.width() == width())
        startRewrite();
    else
        buildPixels();
    QImage rows = window(image_, area);
    copyDown(rows, QPoint(0, 0));
    changed();
}

Colour Surface::point(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0xFFFFFFFFu;
    if (pending_ && pending_->area.contains(x, y)) {
        QImage pixel(1, 1, QImage::Format_RGB32);
        pending_->draw(pixel, QPoint(x, y));
        return fromQRgb(pixel.pixel(0, 0));
    }
    if (image_.isNull())
        return plain_;
    return fromQRgb(reinterpret_cast<const QRgb *>(image_.constScanLine(y))[x]);
}

void Surface::pset(int x, int y, Colour colour)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    buildPixels();
    reinterpret_cast<QRgb *>(image_.scanLine(y))[x] = toQRgb(colour);
    changed();
}

void Surface::setPicture(const QImage &picture)
{
    if (picture.isNull()) {
        clear();
        return;
    }
    // The picture replaces everything, whatever was waiting.
    pending_.reset();
    if (autoSize_) {
        image_ = asSurfaceImage(picture);
        size_ = image_.size();
        changed();
        return;
    }
    if (image_.size() != size_ || !image_.isDetached())
        image_ = blankImage(size_, back_);
    else
        image_.fill(toQRgb(back_));
    combine(image_, 0, 0, asSurfaceImage(picture), 0, 0, picture.width(), picture.height(),
            RasterOp::SrcCopy);
    changed();
}

void Surface::clear()
{
    if (!image_.isNull() && image_.isDetached() && image_.size() == size_) {
        pending_.reset();
        image_.fill(toQRgb(back_));
    } else {
        // Background, built when next needed rather than now: the pixels may be shared with
        // a picture that was assigned (a large photograph on the measuring surface), which a
        // fill would first copy, or there may be none yet.
        startPlain(back_);
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
    ++changes_;
    if (view_)
        view_->update();
}
