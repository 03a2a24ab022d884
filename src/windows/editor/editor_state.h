#pragma once

#include "platform/numeric.h"

// The picture editor's zoom and offset. They outlive the editor window; every activation
// of the editor resets them.
struct EditorState {
    Number zoomSteps = 1;  // zoom factor is 1.01 to this power
    Number moveX = 0;      // offset of the insert picture, positive to the right
    Number moveY = 0;      // positive downwards
    Number zoomWidth = 640;
    Number zoomHeight = 480;
    Number zoomLeft = 0;   // (640 - zoomWidth) / 2
    Number zoomTop = 0;    // (480 - zoomHeight) / 2
};
