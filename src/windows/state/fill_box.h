#pragma once

#include "platform/colour.h"

#include <optional>

class Surface;
struct SharedState;

// Fills the box (boxLeft, boxTop)-(boxRight, boxBottom), both corners included, on the
// surface in the given colour, or in the surface's foreground colour when none is given.
void FillBox(Surface &surface, const SharedState &vars,
             std::optional<Colour> colour = std::nullopt);

// Sets the box to the whole surface (the height rounded half to even into the 16-bit
// boxBottom) without drawing.
void SetWholeBox(const Surface &surface, SharedState &vars);
// Sets the box to the whole surface (the height rounded half to even into the 16-bit
// boxBottom) and fills it in the given colour.
void FillWhole(Surface &surface, SharedState &vars, Colour colour);
