#pragma once

#include <QImage>
#include <QSize>

// The measuring surface of the picture import: it takes the natural size of the picture
// assigned to it, and that size is all anything reads from it. It keeps no pixels, so a
// picture whose file claims a huge size costs nothing here.
class MeasuringSurface
{
  public:
    MeasuringSurface(int width, int height) : size_(width, height) {}

    int width() const { return size_.width(); }
    int height() const { return size_.height(); }
    QSize size() const { return size_; }

    // Takes the natural size of the picture: naturalSize when the picture was decoded at a
    // reduced scale, the picture's own size otherwise. The empty picture clears the
    // surface and leaves its size.
    void setPicture(const QImage &picture, QSize naturalSize = QSize())
    {
        if (picture.isNull())
            return;
        size_ = naturalSize.isValid() ? naturalSize : picture.size();
    }

  private:
    QSize size_;
};
