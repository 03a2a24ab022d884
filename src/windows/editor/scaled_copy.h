#pragma once

#include <QImage>

class Surface;

// Draws the whole picture onto the target stretched to the rectangle (left, top, width,
// height), replacing the pixels it covers (a plain copy). Edges are rounded half to even,
// as every drawing on a surface does. Only the part inside the target is computed, so a
// zoomed picture far larger than the target costs no more than the target itself.
//
// Enlarging and mild reductions are resampled bilinearly, which is smooth enough for
// photographs and fast enough to follow every zoom press; strong reductions average whole
// areas so that fine detail does not shimmer.
void drawScaledCopy(Surface &target, const QImage &picture, double left, double top, double width,
                    double height);

// Resampling uses AVX2 loops where the processor has them and plain x86-64 loops elsewhere;
// both give the same pixels. Turning the AVX2 loops off lets tests compare the two.
void allowAvx2Resampling(bool allowed);
