#include "platform/picture_holder.h"

#include "platform/surface.h"

void PictureHolder::setWidth(float width)
{
    width_ = width;
    changed();
}

void PictureHolder::setHeight(float height)
{
    height_ = height;
    changed();
}

void PictureHolder::setPicture(const QImage &picture)
{
    picture_ = asSurfaceImage(picture);
    changed();
}

void PictureHolder::setVisible(bool visible)
{
    visible_ = visible;
    if (view_)
        view_->setVisible(visible);
}

void PictureHolder::attachView(QWidget *view)
{
    view_ = view;
    if (view_)
        view_->setVisible(visible_);
}

void PictureHolder::changed()
{
    if (view_)
        view_->update();
}
