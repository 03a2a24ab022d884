#pragma once

#include "platform/raster_op.h"

#include <QImage>

// Applies op from a source image region (same size as the destination rectangle) whose
// top-left corresponds to destination (dx, dy), clipping both to their bounds.
// The source is taken by value: when it shares its pixels with the destination (a surface
// painted onto itself), writing to the destination detaches it and the source keeps the
// pixels as they were before the operation.
void combine(QImage &dst, int dx, int dy, const QImage src, int sx, int sy, int w, int h,
             RasterOp op);
