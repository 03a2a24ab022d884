#pragma once

#include "geometry/fitted_rows.h"
#include "platform/surface.h"

#include <QImage>
#include <QSize>

// Where a picture of the natural size lands when fitted onto a canvas keeping its aspect
// ratio and centred: the binding side touches both edges. All arithmetic is in single
// precision, the product formed before the division, so every road that places a picture
// lands on the same pixels. Throws CommandError on a floating-point fault (a zero-sized
// canvas or picture).
RectF FittedRect(QSizeF naturalSize, QSizeF canvasSize);

// The same placement onto a fresh white canvas of the given size. The picture may have
// been decoded at a reduced scale: naturalSize is the size it has in its file, and the
// decoded pixels are stretched over the fitted rectangle exactly as the full picture would
// be. An invalid naturalSize means the picture's own size.
QImage FitOnWhiteCanvas(const QImage &picture, QSize naturalSize, QSize canvasSize);
// The same placement made a band of rows at a time.
FittedRows FitRowsOnWhiteCanvas(QImage picture, QSize naturalSize, QSize canvasSize);
