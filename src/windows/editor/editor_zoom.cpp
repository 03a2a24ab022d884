#include "editor/editor_zoom.h"

#include "editor/editor_compose.h"
#include "editor/editor_state.h"
#include "editor/editor_surfaces.h"
#include "editor/scaled_copy.h"
#include "state/fill_box.h"
#include "ui/form9_controls.h"

#include <cmath>

std::optional<Number> zoomStepsAfterPress(int index, Number zoomSteps)
{
    // "0" returns to the zoom of a reset, 1.01, not to the loaded size; the others step by
    // +1, -1, +5, -5.
    static constexpr int kSteps[] = {1, -1, 5, -5};
    Number next;
    using B = Form9Controls;
    if (index == B::kZoomReset)
        next = 1;
    else if (index >= B::kZoomIn && index <= B::kZoomOutFar)
        next = zoomSteps + kSteps[index - B::kZoomIn];
    else
        return std::nullopt;
    if (next < kMinZoomSteps || next > kMaxZoomSteps)
        return std::nullopt;
    return next;
}

void drawInsertPicture(EditorSurfaces &s, const EditorState &e)
{
    // The corner goes through single precision, as a surface position does.
    s.Picture1Drawings.draw(s.Picture1,
                            ScaledCopy(s.Image10.picture(), float(e.zoomLeft + e.moveX),
                                       float(e.zoomTop + e.moveY), e.zoomWidth, e.zoomHeight,
                                       QSize(s.Picture1.width(), s.Picture1.height())));
}

void applyZoom(EditorSurfaces &s, EditorState &e, SharedState &vars)
{
    const double factor = std::pow(1.01, e.zoomSteps);
    e.zoomWidth = factor * 640;
    e.zoomHeight = factor * 480;
    s.Picture1Drawings.resize(
        s.Picture1, QSize(roundHalfEven(float(e.zoomWidth)), roundHalfEven(float(e.zoomHeight))));
    e.zoomLeft = (640 - e.zoomWidth) / 2;
    e.zoomTop = (480 - e.zoomHeight) / 2;
    drawInsertPicture(s, e);
    composeEditorPicture(s, vars);
}

void moveInsert(int index, EditorSurfaces &s, EditorState &e, SharedState &vars)
{
    // Clearing first removes whatever earlier, larger drawings left behind.
    FillWhole(s.Picture1, vars, kWhite);
    // The steps of "→", "→→", "←", "←←", "↑", "↑↑", "↓", "↓↓"; "0" returns to the centre.
    struct Step {
        int dx, dy;
    };
    static constexpr Step kSteps[] = {{1, 0}, {5, 0}, {-1, 0}, {-5, 0},
                                      {0, -1}, {0, -5}, {0, 1}, {0, 5}};
    using B = Form9Controls;
    if (index == B::kMoveHome) {
        e.moveX = 0;
        e.moveY = 0;
    } else if (index >= B::kMoveRight && index <= B::kMoveDownFar) {
        e.moveX = e.moveX + kSteps[index - B::kMoveRight].dx;
        e.moveY = e.moveY + kSteps[index - B::kMoveRight].dy;
    }
    e.zoomWidth = s.Picture1.width();
    e.zoomHeight = s.Picture1.height();
    drawInsertPicture(s, e);
    composeEditorPicture(s, vars);
}
