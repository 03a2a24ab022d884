#include "editor/editor_zoom.h"

#include "editor/editor_compose.h"
#include "editor/editor_state.h"
#include "editor/editor_surfaces.h"
#include "editor/scaled_copy.h"
#include "state/fill_box.h"

#include <cmath>

std::optional<Number> zoomStepsAfterPress(int index, Number zoomSteps)
{
    Number next = zoomSteps;
    switch (index) {
    case 0:
        // "0" returns to the zoom of a reset, 1.01, not to the loaded size.
        next = 1;
        break;
    case 1:
        next = zoomSteps + 1;
        break;
    case 2:
        next = zoomSteps - 1;
        break;
    case 3:
        next = zoomSteps + 5;
        break;
    case 4:
        next = zoomSteps - 5;
        break;
    default:
        return std::nullopt;
    }
    if (next < kMinZoomSteps || next > kMaxZoomSteps)
        return std::nullopt;
    return next;
}

void drawInsertPicture(EditorSurfaces &s, const EditorState &e)
{
    // The corner goes through single precision, as a surface position does.
    drawScaledCopy(s.Picture1, s.Image10.picture(), float(e.zoomLeft + e.moveX),
                   float(e.zoomTop + e.moveY), e.zoomWidth, e.zoomHeight);
}

void applyZoom(EditorSurfaces &s, EditorState &e, SharedState &vars)
{
    const double factor = std::pow(1.01, e.zoomSteps);
    e.zoomWidth = factor * 640;
    e.zoomHeight = factor * 480;
    s.Picture1.resize(roundHalfEven(float(e.zoomWidth)), roundHalfEven(float(e.zoomHeight)));
    e.zoomLeft = (640 - e.zoomWidth) / 2;
    e.zoomTop = (480 - e.zoomHeight) / 2;
    drawInsertPicture(s, e);
    composeEditorPicture(s, vars);
}

void moveInsert(int index, EditorSurfaces &s, EditorState &e, SharedState &vars)
{
    // Clearing first removes whatever earlier, larger drawings left behind.
    FillWhole(s.Picture1, vars, kWhite);
    switch (index) {
    case 0:
        e.moveX = 0;
        e.moveY = 0;
        break;
    case 1:
        e.moveX = e.moveX + 1;
        break;
    case 2:
        e.moveX = e.moveX + 5;
        break;
    case 3:
        e.moveX = e.moveX - 1;
        break;
    case 4:
        e.moveX = e.moveX - 5;
        break;
    case 5:
        e.moveY = e.moveY - 1;
        break;
    case 6:
        e.moveY = e.moveY - 5;
        break;
    case 7:
        e.moveY = e.moveY + 1;
        break;
    case 8:
        e.moveY = e.moveY + 5;
        break;
    default:
        break;
    }
    e.zoomWidth = s.Picture1.width();
    e.zoomHeight = s.Picture1.height();
    drawInsertPicture(s, e);
    composeEditorPicture(s, vars);
}
