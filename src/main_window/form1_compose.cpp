#include "main_window/form1.h"

#include "state/module3.h"
#include "state/program_state.h"

// Interleaves picture 1 and picture 2 in stripes lineWidth wide, at display size on
// Picture3 and at the large size on Picture11. Each stripe surface is white where its
// picture must not show and black where it must: OR-ing the picture in fills the black
// stripes, and AND-ing both stripe surfaces onto white keeps each picture in its stripes.
void form1::ComposePictures()
{
    SharedState &vars = state_.vars;
    MainSurfaces &s = state_.main;

    Module3::DrawStripeMaskA(state_);
    Module3::DrawStripeMaskB(state_);
    Module3::ClearComposed(state_);

    vars.fitWidth = s.Picture1.width();
    vars.fitHeight = s.Picture1.height();
    const RectF display{0, 0, vars.fitWidth, vars.fitHeight};
    s.Picture1.paintPicture(s.Picture8[0].image(), display, RasterOp::SrcPaint);
    s.Picture2.paintPicture(s.Picture8[1].image(), display, RasterOp::SrcPaint);

    vars.fitWidth = s.Picture3.width();
    vars.fitHeight = s.Picture3.height();
    const RectF composed{0, 0, vars.fitWidth, vars.fitHeight};
    s.Picture3.paintPicture(s.Picture1.image(), composed, composed, RasterOp::SrcAnd);
    s.Picture3.paintPicture(s.Picture2.image(), composed, composed, RasterOp::SrcAnd);

    vars.fitWidth = s.Picture11.width();
    vars.fitHeight = s.Picture11.height();
    const RectF large{0, 0, vars.fitWidth, vars.fitHeight};
    // Picture9[0] is 480 rows high: it is squeezed into Picture11's 464.
    s.Picture10[0].paintPicture(s.Picture9[0].image(), large, RasterOp::SrcPaint);
    s.Picture10[1].paintPicture(s.Picture9[1].image(), large, RasterOp::SrcPaint);

    vars.fitWidth = s.Picture11.width();
    vars.fitHeight = s.Picture11.height();
    s.Picture11.paintPicture(s.Picture10[0].image(), large, large, RasterOp::SrcAnd);
    s.Picture11.paintPicture(s.Picture10[1].image(), large, large, RasterOp::SrcAnd);
}
