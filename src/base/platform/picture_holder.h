#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

// A picture holder (an image control): it keeps the size it is given, in single-precision
// pixels, and shows its picture stretched to that size. Assigning a picture never resizes it.
class PictureHolder {
public:
    PictureHolder(float width, float height) : width_(width), height_(height) {}

    float width() const { return width_; }
    float height() const { return height_; }
    void setWidth(float width);
    void setHeight(float height);

    const QImage &picture() const { return picture_; }
    // The empty (null) picture empties the holder.
    void setPicture(const QImage &picture);

    bool isVisible() const { return visible_; }
    void setVisible(bool visible);

    void attachView(QWidget *view);

private:
    void changed();

    float width_;
    float height_;
    QImage picture_;
    bool visible_ = true;
    QPointer<QWidget> view_;
};
