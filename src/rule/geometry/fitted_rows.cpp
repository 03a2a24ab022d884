#include "geometry/fitted_rows.h"

#include "platform/numeric.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace
{

QRect toPixels(const RectF &r)
{
    return QRect(QPoint(roundHalfEven(r.x), roundHalfEven(r.y)),
                 QPoint(roundHalfEven(r.x + r.w) - 1, roundHalfEven(r.y + r.h) - 1));
}

} // namespace

FittedRows::FittedRows(QImage picture, const RectF &dst, const RectF &src, QSize canvas)
    : canvas_(canvas)
{
    const QRect d = toPixels(dst);
    const QRect s = toPixels(src);
    if (picture.isNull() || d.isEmpty() || s.isEmpty())
        return;
    // Where the source reaches past the picture, the destination is cut down in
    // proportion, as an unstretched paint leaves the canvas there.
    const QRect inPicture = s & picture.rect();
    if (inPicture.isEmpty())
        return;
    const double fx = double(d.width()) / s.width();
    const double fy = double(d.height()) / s.height();
    const QPoint topLeft(d.x() + roundHalfEven((inPicture.x() - s.x()) * fx),
                         d.y() + roundHalfEven((inPicture.y() - s.y()) * fy));
    const QPoint end(d.x() + roundHalfEven((inPicture.right() + 1 - s.x()) * fx),
                     d.y() + roundHalfEven((inPicture.bottom() + 1 - s.y()) * fy));
    to_ = QRect(topLeft, end - QPoint(1, 1));
    if (to_.isEmpty())
        return;
    if (inPicture != picture.rect())
        picture = picture.copy(inPicture);
    scaler_.emplace(std::move(picture), to_.size());
}

void FittedRows::rows(int y, int count, uchar *out, qsizetype stride)
{
    const int width = canvas_.width();
    for (int i = 0; i < count; ++i)
        std::memset(out + i * stride, 0xFF, size_t(width) * 3);
    if (!scaler_)
        return;
    // The rows of the band the picture covers, and its columns on the canvas.
    const int first = std::max(y, to_.top());
    const int last = std::min(y + count, to_.bottom() + 1);
    const int left = std::max(0, to_.left());
    const int right = std::min(width, to_.right() + 1);
    if (first >= last || left >= right)
        return;
    if (to_.left() >= 0 && to_.right() < width) {
        scaler_->rows(first - to_.top(), last - first, out + (first - y) * stride + left * 3,
                      stride);
        return;
    }
    const qsizetype scaledStride = qsizetype(to_.width()) * 3;
    scratch_.resize(size_t(scaledStride) * size_t(last - first));
    scaler_->rows(first - to_.top(), last - first, scratch_.data(), scaledStride);
    for (int row = first; row < last; ++row)
        std::memcpy(out + (row - y) * stride + left * 3,
                    scratch_.data() + (row - first) * scaledStride + (left - to_.left()) * 3,
                    size_t(right - left) * 3);
}

QImage FittedRows::whole()
{
    return imageFromRows(canvas_, source());
}

RowSource FittedRows::source()
{
    return [this](int y, int count, uchar *out, qsizetype stride) { rows(y, count, out, stride); };
}
