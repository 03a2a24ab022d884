#include "state/module3.h"

#include "state/fill_box.h"
#include "state/program_state.h"

#include <algorithm>

namespace Module3
{

void stripeRun(Surface &surface, SharedState &vars, int w, int x0)
{
    vars.boxLeft = x0;
    vars.boxTop = 0;
    vars.boxBottom = surface.height();
    // The test follows each stripe, so the first one is drawn whatever its position.
    do {
        vars.boxRight = vars.boxLeft + w - 1;
        FillBox(surface, vars);
        vars.boxLeft = vars.boxRight + w + 1;
    } while (vars.boxLeft < surface.width());
}

void latticeRun(Surface &surface, SharedState &vars, int gap, int bar)
{
    vars.boxLeft = gap;
    vars.boxTop = 0;
    vars.boxBottom = surface.height();
    do {
        vars.boxRight = vars.boxLeft + bar - 1;
        FillBox(surface, vars);
        vars.boxLeft = vars.boxRight + gap + 1;
    } while (vars.boxLeft < surface.width());
}

QImage stripeMaskRow(const Surface &surface, SharedState &vars, int x0)
{
    const int w = int(vars.lineWidth);
    const int width = surface.width();
    if (w < 1 || width < 1 || x0 < 0) {
        Surface row(width, 1, surface.backColor(), surface.foreColor());
        FillWhole(row, vars, kWhite);
        stripeRun(row, vars, w, x0);
        // The box is left as the same run on the whole surface leaves it.
        vars.boxBottom = surface.height();
        return row.image();
    }
    // The usual widths: the stripes of stripeRun written straight into the row, as one box
    // after another would cost a call per stripe; the box is left as the run leaves it.
    QImage row(width, 1, QImage::Format_RGB32);
    auto *pixels = reinterpret_cast<QRgb *>(row.scanLine(0));
    std::fill(pixels, pixels + width, toQRgb(kWhite));
    const QRgb fore = toQRgb(surface.foreColor());
    qint64 left = x0;
    do {
        std::fill(pixels + std::min<qint64>(left, width),
                  pixels + std::min<qint64>(left + w, width), fore);
        left += 2 * qint64(w);
    } while (left < width);
    vars.boxLeft = Number(left);
    vars.boxTop = 0;
    vars.boxRight = Number(left - w - 1);
    vars.boxBottom = surface.height();
    return row;
}

namespace
{

void drawStripeMask(Surface &surface, SharedState &vars, int x0)
{
    surface.fillRows(stripeMaskRow(surface, vars, x0));
}

// Every bar runs from the top to the bottom: the lattice is one row, copied down.
QImage latticeRow(const Surface &surface, SharedState &vars)
{
    Surface row(surface.width(), 1, surface.backColor(), surface.foreColor());
    FillWhole(row, vars, kWhite);
    latticeRun(row, vars, int(vars.latticeGap), vars.latticeBar);
    // The box is left as the same run on the whole surface leaves it.
    vars.boxBottom = surface.height();
    return row.image();
}

void drawLattice(Surface &surface, SharedState &vars)
{
    surface.fillRows(latticeRow(surface, vars));
}

} // namespace

void DrawStripeMaskA(ProgramState &state)
{
    drawStripeMask(state.main.Picture1, state.vars, 0);
    drawStripeMask(state.main.Picture10[0], state.vars, 0);
}

void DrawStripeMaskB(ProgramState &state)
{
    const int x0 = int(state.vars.lineWidth);
    drawStripeMask(state.main.Picture2, state.vars, x0);
    drawStripeMask(state.main.Picture10[1], state.vars, x0);
}

void ClearComposed(ProgramState &state)
{
    FillWhole(state.main.Picture3, state.vars, kWhite);
    FillWhole(state.main.Picture11, state.vars, kWhite);
}

void DrawLatticeSheet(ProgramState &state)
{
    drawLattice(state.main.Picture4, state.vars);
    DrawLatticeSheet2(state);
}

void DrawLatticeSheet2(ProgramState &state)
{
    drawLattice(state.main.Picture40, state.vars);
}

} // namespace Module3
