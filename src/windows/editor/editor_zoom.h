#pragma once

#include "platform/numeric.h"

#include <optional>

struct EditorSurfaces;
struct EditorState;
struct SharedState;

// zoomSteps stays within these bounds: at 186 the insert surface is 4073 x 3055 pixels
// (6.4 times the editing area), at -186 it is 101 x 75. One step further either way would
// take the larger edge past 4096 pixels, a surface of 50 MB, with nothing more to see.
constexpr int kMinZoomSteps = -186;
constexpr int kMaxZoomSteps = 186;

// zoomSteps after a press of zoom button `index` ("0", "↑", "↓", "↑↑", "↓↓"), or nothing
// when the press would leave the bounds: such a press does nothing at all.
std::optional<Number> zoomStepsAfterPress(int index, Number zoomSteps);

// Draws the insert picture kept in Image10 onto Picture1 at (zoomLeft + moveX,
// zoomTop + moveY), zoomWidth x zoomHeight, over what Picture1 already shows.
void drawInsertPicture(EditorSurfaces &s, const EditorState &e);

// Sizes Picture1 for the zoom factor 1.01 ^ zoomSteps, redraws the insert picture centred on
// the point (320 + moveX, 240 + moveY) and recomposes. Picture1 is not cleared first.
void applyZoom(EditorSurfaces &s, EditorState &e, SharedState &vars);

// A press of move button `index` ("0", "→", "→→", "←", "←←", "↑", "↑↑", "↓", "↓↓"):
// clears Picture1, changes the offsets, redraws at Picture1's size and recomposes.
void moveInsert(int index, EditorSurfaces &s, EditorState &e, SharedState &vars);
