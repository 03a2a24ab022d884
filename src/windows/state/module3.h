#pragma once

#include <QImage>

struct ProgramState;
class Surface;
struct SharedState;

// The fixed patterns composing, animating and printing rely on, drawn at the current
// lineWidth, latticeGap and latticeBar on the main window's surfaces.
namespace Module3
{

// Picture1 and Picture10[0]: white, black stripes lineWidth wide from x = 0.
void DrawStripeMaskA(ProgramState &state);
// Picture2 and Picture10[1]: white, black stripes lineWidth wide from x = lineWidth.
void DrawStripeMaskB(ProgramState &state);
// Picture3 and Picture11: white.
void ClearComposed(ProgramState &state);
// Picture4, then Picture40 through DrawLatticeSheet2: white with black bars.
void DrawLatticeSheet(ProgramState &state);
void DrawLatticeSheet2(ProgramState &state);

// Black stripes w wide at x0, x0 + 2w, x0 + 4w, ...; at least one is drawn, even when it
// lies wholly outside the surface.
void stripeRun(Surface &surface, SharedState &vars, int w, int x0);
// One row of a stripe mask for the surface: white, with a stripe run lineWidth wide from
// x0. Every stripe runs from the top to the bottom of the surface, so every row of a mask
// is this row; filling the surface with it writes each pixel once, where drawing stripe by
// stripe would revisit each row once per stripe.
QImage stripeMaskRow(const Surface &surface, SharedState &vars, int x0);
// Black bars bar wide at gap, gap + (bar + gap), ...
void latticeRun(Surface &surface, SharedState &vars, int gap, int bar);

} // namespace Module3
