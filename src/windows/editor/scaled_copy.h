#pragma once

#include <QImage>
#include <QRect>

class Surface;

// The whole picture stretched onto the rectangle (left, top, width, height) of a surface,
// as a plain copy, edges rounded half to even as every drawing on a surface does. Only the
// parts asked for are worked out. It holds its picture by value (a cheap shared copy), so
// nothing that changes afterwards changes its pixels.
//
// Enlarging and mild reductions are resampled bilinearly, which is smooth enough for
// photographs and fast enough to follow every zoom press; strong reductions average whole
// areas so that fine detail does not shimmer.
class ScaledCopy
{
  public:
    // Only the part inside a surface of `bounds` is drawn; nothing is worked out for a copy
    // wholly outside it.
    ScaledCopy(const QImage &picture, double left, double top, double width, double height,
               QSize bounds);

    // The pixels it covers, in the surface's coordinates: empty when it draws nothing.
    QRect area() const { return area_; }
    // The pixels of the drawing that out holds, out's (0, 0) being the surface's `origin`
    // and out lying within area().
    void render(QImage &out, QPoint origin) const;

  private:
    QImage source_; // the picture, or when stretched_, the picture already at drawn_'s size
    QRect drawn_;   // the whole picture's place
    QRect area_;    // the part of it inside the bounds
    bool stretched_ = false;
};

// Draws that copy onto the target, replacing the pixels it covers. Only the part inside the
// target is computed, so a zoomed picture far larger than the target costs no more than the
// target itself.
void drawScaledCopy(Surface &target, const QImage &picture, double left, double top, double width,
                    double height);

// Resampling uses AVX2 loops where the processor has them and plain x86-64 loops elsewhere;
// both give the same pixels. Turning the AVX2 loops off lets tests compare the two.
void allowAvx2Resampling(bool allowed);
