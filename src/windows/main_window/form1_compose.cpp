#include "main_window/form1.h"

#include "state/fill_box.h"
#include "state/module3.h"
#include "state/program_state.h"
#include "state/stripe_composition.h"

// Interleaves picture 1 and picture 2 in stripes lineWidth wide, at display size on
// Picture3 and at the large size on Picture11. Each stripe surface is white where its
// picture must not show and black where it must: OR-ing the picture in fills the black
// stripes, and AND-ing both stripe surfaces onto white keeps each picture in its stripes.
//
// The steps are DrawStripeMaskA, DrawStripeMaskB and ClearComposed, then at each size the
// two ORs and the two ANDs. composeStripes does the steps of one size row by row in one
// pass, which leaves every surface as the steps one after the other would, and reads and
// writes each pixel once instead of once per step. Nothing shows the large stripe surfaces
// Picture10, so at the large size the pass writes Picture11 alone and Picture10 is drawn
// with the same pixels only if it is ever read.
void form1::ComposePictures()
{
    SharedState &vars = state_.vars;
    MainSurfaces &s = state_.main;
    const int w = int(vars.lineWidth);

    const QImage rowA = Module3::stripeMaskRow(s.Picture1, vars, 0);
    const QImage rowB = Module3::stripeMaskRow(s.Picture2, vars, w);
    vars.fitWidth = s.Picture1.width();
    vars.fitHeight = s.Picture1.height();
    composeStripes({s.Picture1, rowA, s.Picture8[0].image()},
                   {s.Picture2, rowB, s.Picture8[1].image()}, s.Picture1.width(),
                   s.Picture1.height(), s.Picture3);

    // Picture9[0] is 480 rows high: it is squeezed into Picture11's 464, and the last 16
    // rows of Picture10[0] keep their stripes.
    const QImage largeRowA = Module3::stripeMaskRow(s.Picture10[0], vars, 0);
    const QImage largeRowB = Module3::stripeMaskRow(s.Picture10[1], vars, w);
    vars.fitWidth = s.Picture11.width();
    vars.fitHeight = s.Picture11.height();
    composeStripes({s.Picture10[0], largeRowA, s.Picture9[0].image()},
                   {s.Picture10[1], largeRowB, s.Picture9[1].image()}, s.Picture11.width(),
                   s.Picture11.height(), s.Picture11, StripePixels::OnDemand);

    // The box as ClearComposed leaves it, the last surface drawn being Picture11.
    SetWholeBox(s.Picture11, vars);
}
