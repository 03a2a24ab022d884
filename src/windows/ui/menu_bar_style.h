#pragma once

// Makes sure the application's style draws the menu bar's extension button ("»") without
// asking every image format plugin about it. Qt's own style reads that arrow through a
// format check that loads all image plugins and their libraries (TIFF, WebP, MNG, SVG,
// ...), which the main window's start-up does not need; it is read when first drawn.
// Call before the first menu bar.
void installMenuBarStyle();
