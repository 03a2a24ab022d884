#include "platform/surface.h"
#include "platform/surface_view.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// At a screen scale of 2 every surface pixel must show as a sharp 2 x 2 block of exactly
// its colour: stripes one pixel wide may not blur.
TEST(HighDpi, SurfacesShowAsCrispBlocksAtScaleTwo)
{
    Surface surface(40, 30, kWhite, kBlack);
    for (int x = 0; x < 40; x += 2)
        surface.fillBox(x, 0, x, 29, kBlack);
    surface.pset(5, 7, rgb(12, 200, 99));

    QWidget parent;
    SurfaceView view(surface, Border::None, &parent);
    view.setGeometry(0, 0, 40, 30);

    QImage screen(80, 60, QImage::Format_RGB32);
    screen.setDevicePixelRatio(2.0);
    view.render(&screen);

    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 80; ++x) {
            const Colour expected = surface.point(x / 2, y / 2);
            const Colour shown = fromQRgb(screen.pixel(x, y));
            ASSERT_EQ(shown, expected) << "screen pixel (" << x << ", " << y << ")";
        }
    }
}

} // namespace
