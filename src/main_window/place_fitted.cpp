#include "main_window/place_fitted.h"

#include "platform/command_error.h"
#include "platform/picture_holder.h"
#include "platform/surface.h"
#include "state/shared_state.h"

#include <cmath>

namespace {

float checkedFloat(float value)
{
    if (!std::isfinite(value))
        throw CommandError("floating-point fault");
    return value;
}

} // namespace

void PlaceFitted(const QImage &picture, Surface &target, PlacementTools tools, SharedState &vars)
{
    PictureHolder &image6 = tools.holder;
    vars.placeSrcW = float(tools.measure.width());
    vars.placeSrcH = float(tools.measure.height());
    vars.placeDstW = float(target.width());
    vars.placeDstH = float(target.height());

    // All in single precision; the product is formed before the division.
    const float widthRatio = checkedFloat(vars.placeSrcW / vars.placeDstW);
    const float heightRatio = checkedFloat(vars.placeSrcH / vars.placeDstH);
    if (widthRatio >= heightRatio) {
        image6.setWidth(float(target.width()));
        image6.setHeight(
            checkedFloat(image6.width() * float(tools.measure.height()) / vars.placeSrcW));
    } else {
        image6.setHeight(float(target.height()));
        image6.setWidth(
            checkedFloat(image6.height() * float(tools.measure.width()) / vars.placeSrcH));
    }
    vars.placeTop = (float(target.height()) - image6.height()) / 2.0f;
    vars.placeLeft = (float(target.width()) - image6.width()) / 2.0f;

    image6.setPicture(picture);
    target.paintPicture(image6.picture(),
                        RectF{vars.placeLeft, vars.placeTop, image6.width(), image6.height()},
                        RasterOp::SrcCopy);
}
