#pragma once

#include "geometry/fitted_rect.h"
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

// Fits the picture onto the target keeping its aspect ratio, centres it and draws it as a
// plain copy. The binding side touches both edges of the target; the rest of the target
// is left as it is. Writes placeSrcW, placeSrcH, placeDstW, placeDstH, placeTop, placeLeft.
// Throws CommandError on a floating-point fault (a zero-sized target or picture).
void PlaceFitted(const QImage &picture, Surface &target, PlacementTools tools, SharedState &vars);
