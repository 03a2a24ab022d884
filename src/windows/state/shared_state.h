#pragma once

#include "platform/numeric.h"

#include <QString>

// The module-level variables every window reads and writes. All exist for the whole run
// and start from their defaults; nothing is saved between runs.
struct SharedState {
    Number lineWidth = 2;  // stripe width in pixels, shown beside "線の幅＝"
    Number latticeGap = 2; // gap between lattice bars, and x of the first bar
    Int16 latticeBar = 2;  // width of each lattice bar
    QString appFolder;     // initial folder of every file dialog, ends in a separator

    // Scratch size of the current target surface (composing, importing, editing).
    Number fitWidth = 0;
    Number fitHeight = 0;

    // Corners of the box FillBox draws, both included.
    Number boxLeft = 0;
    Number boxTop = 0;
    Number boxRight = 0;
    Int16 boxBottom = 0;

    // The animation preview.
    Number animOffset = 0;
    Number animViewW = 0;
    Number animViewH = 0;
    Number animPictureW = 0;
    Number animPictureH = 0;
    Number animLatticeW = 0;
    Number animLatticeH = 0;
    Int16 animTicks = 0;

    // Fit-and-centre placement of a picture on a canvas (single-precision pixels).
    float placeSrcW = 0;
    float placeSrcH = 0;
    float placeDstW = 0;
    float placeDstH = 0;
    float placeTop = 0;
    float placeLeft = 0;
};
