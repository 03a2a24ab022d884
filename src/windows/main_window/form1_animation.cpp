#include "main_window/form1.h"

#include "state/fill_box.h"
#include "state/program_state.h"

namespace
{
constexpr int kTickMs = 100;
constexpr int kTickLimit = 100;
} // namespace

// Lays the lattice sheet, shifted by animOffset, over the composed picture on the preview:
// white, inverted by the composed picture, erased by the lattice, leaves composed AND
// lattice. The three steps are done in one pass over the preview.
void form1::DrawAnimationFrame()
{
    SharedState &vars = state_.vars;
    MainSurfaces &s = state_.main;
    const RectF view{0, 0, vars.animViewW, vars.animViewH};
    // Read at every tick: their pixels are built once, not worked out for each frame.
    s.Picture3.buildPixels();
    s.Picture4.buildPixels();
    s.Picture5[2].fillAndPaint(
        view, kWhite,
        {s.Picture3.image(), RectF{0, 0, vars.animPictureW, vars.animPictureH},
         RasterOp::SrcInvert},
        {s.Picture4.image(), RectF{vars.animOffset, 0, vars.animLatticeW, vars.animLatticeH},
         RasterOp::SrcErase});
}

void form1::Command2_Click()
{
    SharedState &vars = state_.vars;
    MainSurfaces &s = state_.main;
    s.Picture5[2].show();
    Command2->hide();
    Command3->show();

    FillWhole(s.Picture5[2], vars, kWhite);
    vars.animViewW = s.Picture5[2].width();
    vars.animViewH = s.Picture5[2].height();
    vars.animPictureW = s.Picture3.width();
    vars.animPictureH = s.Picture3.height();
    vars.animLatticeW = s.Picture3.width();
    vars.animLatticeH = s.Picture3.height();
    vars.animOffset = 0;
    DrawAnimationFrame();
    timer1_->setInterval(kTickMs);
}

void form1::Timer1_Timer()
{
    SharedState &vars = state_.vars;
    vars.animTicks = vars.animTicks + 1;
    if (vars.animTicks > kTickLimit) {
        vars.animTicks = 0;
        timer1_->setInterval(0);
        Command2->show();
        Command3->hide();
        state_.main.Picture5[2].hide();
    }
    vars.animOffset = vars.animOffset + 1;
    // The whole frame is built on the preview's image during the tick; the view repaints
    // only after the tick, so the white and inverted stages are never seen. The white fill
    // of the whole preview is part of drawing the frame.
    SetWholeBox(state_.main.Picture5[2], vars);
    DrawAnimationFrame();
}

void form1::Command3_Click()
{
    state_.main.Picture5[2].hide();
    timer1_->setInterval(0);
    Command2->show();
    Command3->hide();
}
