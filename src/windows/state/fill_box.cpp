#include "state/fill_box.h"

#include "platform/surface.h"
#include "state/shared_state.h"

void FillBox(Surface &surface, const SharedState &vars, std::optional<Colour> colour)
{
    surface.fillBox(vars.boxLeft, vars.boxTop, vars.boxRight, vars.boxBottom,
                    colour.value_or(surface.foreColor()));
}

void SetWholeBox(const Surface &surface, SharedState &vars)
{
    vars.boxLeft = 0;
    vars.boxTop = 0;
    vars.boxRight = surface.width();
    vars.boxBottom = surface.height();
}

void FillWhole(Surface &surface, SharedState &vars, Colour colour)
{
    SetWholeBox(surface, vars);
    FillBox(surface, vars, colour);
}
