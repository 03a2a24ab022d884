#include "main_window/place_fitted.h"

#include "platform/picture_holder.h"
#include "state/shared_state.h"

void PlaceFitted(const QImage &picture, Surface &target, PlacementTools tools, SharedState &vars)
{
    PictureHolder &image6 = tools.holder;
    vars.placeSrcW = float(tools.measure.width());
    vars.placeSrcH = float(tools.measure.height());
    vars.placeDstW = float(target.width());
    vars.placeDstH = float(target.height());

    const RectF fitted =
        FittedRect(QSizeF(vars.placeSrcW, vars.placeSrcH), QSizeF(vars.placeDstW, vars.placeDstH));
    image6.setWidth(float(fitted.w));
    image6.setHeight(float(fitted.h));
    vars.placeTop = float(fitted.y);
    vars.placeLeft = float(fitted.x);

    image6.setPicture(picture);
    target.paintPicture(image6.picture(),
                        RectF{vars.placeLeft, vars.placeTop, image6.width(), image6.height()},
                        RasterOp::SrcCopy);
}
