#include "platform/surface_view.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

namespace
{

using HighDpi = ProgramFixture;

// At a screen scale of 2 every pixel of the main area, the outermost ones too, shows as a
// sharp 2 x 2 block of exactly its colour: stripes one pixel wide may not blur.
TEST_F(HighDpi, MainAreaShowsEveryPixelAsACrispBlockAtScaleTwo)
{
    Surface &shown = surfaces().Picture3;
    shown.setPicture(pixels::randomPicture(320, 240, 7));
    SurfaceView *view = window().Picture3View;
    QImage screen(view->size() * 2, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2.0);
    view->render(&screen);
    const int border = 2 * view->borderWidth();
    EXPECT_TRUE(pixels::matches(screen.copy(border, border, 640, 480),
                                [&](int x, int y) { return shown.point(x / 2, y / 2); }));
}

} // namespace
