#include "platform/surface.h"
#include "state/fill_box.h"
#include "state/shared_state.h"
#include "support/pixel_checks.h"

#include <gtest/gtest.h>

namespace
{

using pixels::at;

constexpr Colour kRed = rgb(255, 0, 0);
constexpr Colour kGrey = rgb(128, 128, 128);

TEST(SurfaceFill, IncludesBothCornersAndClipsAtTheEdges)
{
    struct Case {
        double l, t, r, b;
        int x0, y0, x1, y1; // expected, inclusive; x0 > x1 for nothing
    };
    const Case cases[] = {
        {2, 3, 5, 7, 2, 3, 5, 7},     {5, 7, 2, 3, 2, 3, 5, 7},   // corners in any order
        {4, 4, 4, 4, 4, 4, 4, 4},     {5, 0, 5, 14, 5, 0, 5, 14}, // equal corners
        {-3, -2, 1, 0, 0, 0, 1, 0},   {17, 10, 40, 40, 17, 10, 19, 14},
        {2.5, 0, 3.5, 0, 2, 0, 4, 0},                              // half to even
        {20, 0, 24, 9, 1, 0, 0, 0},   {-5, -5, -1, 3, 1, 0, 0, 0}, // wholly outside
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.l << "," << c.t << "-" << c.r << "," << c.b);
        Surface s(20, 15, kWhite, kBlack);
        s.fillBox(c.l, c.t, c.r, c.b, kRed);
        EXPECT_TRUE(pixels::matches(s, [&](int x, int y) {
            return x >= c.x0 && x <= c.x1 && y >= c.y0 && y <= c.y1 ? kRed : kWhite;
        }));
    }
}

// FillBox takes its corners from the shared box variables and the foreground colour unless
// given one; FillWhole sets the box to the whole surface.
TEST(FillBoxTest, EqualCornersFillOneColumnOrOnePixel)
{
    SharedState vars;
    Surface s(12, 8, kWhite, kGrey);
    vars.boxLeft = vars.boxRight = 5;
    vars.boxTop = 0;
    vars.boxBottom = 8;
    FillBox(s, vars);
    EXPECT_TRUE(pixels::matches(s, [](int x, int) { return x == 5 ? kGrey : kWhite; }));

    vars.boxLeft = vars.boxRight = 3;
    vars.boxTop = vars.boxBottom = 6;
    FillBox(s, vars, kRed);
    EXPECT_EQ(s.point(3, 6), kRed);
    EXPECT_EQ(s.point(3, 5), kWhite);
    EXPECT_EQ(s.point(4, 6), kWhite);

    FillWhole(s, vars, kWhite);
    EXPECT_EQ(vars.boxRight, 12);
    EXPECT_EQ(vars.boxBottom, 8);
    EXPECT_TRUE(pixels::matches(s, [](int, int) { return kWhite; }));
}

TEST(SurfacePixels, ReadAndWriteExactColoursEvenWhenHidden)
{
    Surface s(3, 2, kWhite, kBlack);
    s.hide();
    s.pset(1, 1, 0x00123456u);
    s.pset(5, 0, kBlack); // outside: ignored
    EXPECT_FALSE(s.isVisible());
    EXPECT_EQ(s.point(1, 1), 0x00123456u);
    EXPECT_EQ(s.point(0, 0), kWhite);
    EXPECT_EQ(s.point(-1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(s.point(3, 0), 0xFFFFFFFFu);
    // Red sits in the lowest byte of a colour value.
    EXPECT_EQ(qRed(s.image().pixel(1, 1)), 0x56);
    EXPECT_EQ(qBlue(s.image().pixel(1, 1)), 0x12);
    EXPECT_TRUE(pixels::opaque(s.image()));
}

TEST(SurfacePicture, AssignmentSizesResizingAndClearing)
{
    const QImage picture = pixels::randomPicture(37, 11, 31);
    // An auto-sizing surface takes the picture's natural size; the empty picture clears it.
    Surface measure(25, 25, kGrey, kBlack);
    measure.setAutoSize(true);
    measure.setPicture(picture);
    EXPECT_TRUE(pixels::sameImage(measure.image(), picture));
    measure.setPicture(QImage());
    EXPECT_TRUE(pixels::matches(measure, [](int, int) { return kGrey; }));

    // A fixed surface keeps its size and draws the picture at its corner on its background.
    Surface s(40, 8, kGrey, kBlack);
    s.fillBox(0, 0, 39, 7, kRed);
    s.setPicture(picture);
    EXPECT_TRUE(pixels::matches(
        s, [&](int x, int y) { return x < 37 && y < 11 ? at(picture, x, y) : kGrey; }));
    // Resizing keeps the overlap and shows the background elsewhere.
    s.resize(20, 14);
    EXPECT_TRUE(
        pixels::matches(s, [&](int x, int y) { return y < 8 ? at(picture, x, y) : kGrey; }));

    // The image is a snapshot: what was taken does not change with the surface.
    const QImage before = s.image();
    measure.setPicture(s.image());
    s.clear();
    EXPECT_TRUE(pixels::matches(s, [](int, int) { return kGrey; }));
    EXPECT_EQ(at(before, 3, 3), at(picture, 3, 3));
    EXPECT_TRUE(pixels::sameImage(measure.image(), before));
}

} // namespace
