#pragma once

#include <QPoint>
#include <QSize>

// Top-left corner, in twips, that centres a window of the given outer size on the screen:
// (screen - window) rounded half to even, then halved dropping the remainder. On a screen
// smaller than the window the corner is negative and is used as it is.
QPoint centredPositionTwips(QSize screenTwips, QSize windowTwips);
