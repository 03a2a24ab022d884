#include "geometry/fitted_rect.h"

#include "platform/command_error.h"
#include "platform/surface.h"

#include <cmath>
#include <utility>

namespace
{

float checkedFloat(float value)
{
    if (!std::isfinite(value))
        throw CommandError("floating-point fault");
    return value;
}

} // namespace

RectF FittedRect(QSizeF naturalSize, QSizeF canvasSize)
{
    const float srcW = float(naturalSize.width());
    const float srcH = float(naturalSize.height());
    const float dstW = float(canvasSize.width());
    const float dstH = float(canvasSize.height());

    const float widthRatio = checkedFloat(srcW / dstW);
    const float heightRatio = checkedFloat(srcH / dstH);
    float w = 0;
    float h = 0;
    if (widthRatio >= heightRatio) {
        w = dstW;
        h = checkedFloat(w * srcH / srcW);
    } else {
        h = dstH;
        w = checkedFloat(h * srcW / srcH);
    }
    const float top = (dstH - h) / 2.0f;
    const float left = (dstW - w) / 2.0f;
    return RectF{left, top, w, h};
}

FittedRows FitRowsOnWhiteCanvas(QImage picture, QSize naturalSize, QSize canvasSize)
{
    const QSize natural = naturalSize.isValid() ? naturalSize : picture.size();
    if (picture.isNull())
        return FittedRows(QImage(), RectF{}, RectF{}, canvasSize);
    const RectF whole{0, 0, double(picture.width()), double(picture.height())};
    return FittedRows(std::move(picture), FittedRect(QSizeF(natural), QSizeF(canvasSize)), whole,
                      canvasSize);
}

QImage FitOnWhiteCanvas(const QImage &picture, QSize naturalSize, QSize canvasSize)
{
    return FitRowsOnWhiteCanvas(picture, naturalSize, canvasSize).whole();
}
