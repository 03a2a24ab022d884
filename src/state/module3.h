#pragma once

struct ProgramState;
class Surface;
struct SharedState;

// The fixed patterns composing, animating and printing rely on, drawn at the current
// lineWidth, latticeGap and latticeBar on the main window's surfaces.
namespace Module3 {

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
// Black bars bar wide at gap, gap + (bar + gap), ...
void latticeRun(Surface &surface, SharedState &vars, int gap, int bar);

} // namespace Module3
