#pragma once

#include "platform/measuring_surface.h"
#include "platform/surface.h"

#include <QImage>
#include <QSize>

class PictureHolder;
struct SharedState;

// The surfaces a placement works with: the measuring surface (Picture7), which already has
// the picture's natural size, and the size holder (Image6).
struct PlacementTools {
    const MeasuringSurface &measure;
    PictureHolder &holder;
};

// Where a picture of the natural size lands when fitted onto a canvas keeping its aspect
// ratio and centred: the binding side touches both edges. All arithmetic is in single
// precision, the product formed before the division, so every road that places a picture
// lands on the same pixels. Throws CommandError on a floating-point fault (a zero-sized
// canvas or picture).
RectF FittedRect(QSizeF naturalSize, QSizeF canvasSize);

// Fits the picture onto the target keeping its aspect ratio, centres it and draws it as a
// plain copy. The binding side touches both edges of the target; the rest of the target
// is left as it is. Writes placeSrcW, placeSrcH, placeDstW, placeDstH, placeTop, placeLeft.
// Throws CommandError on a floating-point fault (a zero-sized target or picture).
void PlaceFitted(const QImage &picture, Surface &target, PlacementTools tools, SharedState &vars);

// The same placement onto a fresh white canvas of the given size. The picture may have
// been decoded at a reduced scale: naturalSize is the size it has in its file, and the
// decoded pixels are stretched over the fitted rectangle exactly as the full picture would
// be. An invalid naturalSize means the picture's own size.
QImage FitOnWhiteCanvas(const QImage &picture, QSize naturalSize, QSize canvasSize);
