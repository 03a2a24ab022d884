#include "platform/picture_holder.h"
#include "support/pixel_checks.h"
#include "platform/surface.h"
#include "state/fill_box.h"
#include "state/shared_state.h"

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
        int x0, y0, x1, y1; // expected, inclusive
    };
    const Case cases[] = {
        {2, 3, 5, 7, 2, 3, 5, 7},         {5, 7, 2, 3, 2, 3, 5, 7}, // corners in any order
        {4, 4, 4, 4, 4, 4, 4, 4},         {-3, -2, 1, 0, 0, 0, 1, 0},
        {17, 10, 40, 40, 17, 10, 19, 14}, {2.5, 0, 3.5, 0, 2, 0, 4, 0}, // half to even
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

TEST(SurfaceFill, WhollyOutsideDrawsNothing)
{
    Surface s(10, 10, kWhite, kBlack);
    s.fillBox(10, 0, 14, 9, kRed);
    s.fillBox(-5, -5, -1, 3, kRed);
    EXPECT_TRUE(pixels::matches(s, [](int, int) { return kWhite; }));
}

TEST(FillBoxTest, EqualCornersFillOneColumnOrOnePixel)
{
    SharedState vars;
    Surface s(12, 8, kWhite, kBlack);
    vars.boxLeft = 5;
    vars.boxRight = 5;
    vars.boxTop = 0;
    vars.boxBottom = 8;
    FillBox(s, vars);
    EXPECT_TRUE(pixels::matches(s, [](int x, int) { return x == 5 ? kBlack : kWhite; }));

    Surface one(12, 8, kWhite, kBlack);
    vars.boxLeft = 3;
    vars.boxRight = 3;
    vars.boxTop = 6;
    vars.boxBottom = 6;
    FillBox(one, vars, kRed);
    EXPECT_TRUE(
        pixels::matches(one, [](int x, int y) { return x == 3 && y == 6 ? kRed : kWhite; }));
}

TEST(FillBoxTest, WithoutAColourUsesTheForegroundColour)
{
    SharedState vars;
    Surface s(4, 4, kWhite, kGrey);
    vars.boxLeft = 0;
    vars.boxTop = 0;
    vars.boxRight = 1;
    vars.boxBottom = 3;
    FillBox(s, vars);
    EXPECT_TRUE(pixels::matches(s, [](int x, int) { return x <= 1 ? kGrey : kWhite; }));

    FillWhole(s, vars, kWhite);
    EXPECT_EQ(vars.boxRight, 4);
    EXPECT_EQ(vars.boxBottom, 4);
    EXPECT_TRUE(pixels::matches(s, [](int, int) { return kWhite; }));
}

TEST(SurfacePixels, ReadAndWriteExactColours)
{
    Surface s(3, 2, kWhite, kBlack);
    s.pset(1, 1, 0x00123456u);
    s.pset(5, 0, kBlack); // outside: ignored
    EXPECT_EQ(s.point(1, 1), 0x00123456u);
    EXPECT_EQ(s.point(0, 0), kWhite);
    EXPECT_EQ(s.point(-1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(s.point(3, 0), 0xFFFFFFFFu);
    // Red sits in the lowest byte of a colour value.
    EXPECT_EQ(qRed(s.image().pixel(1, 1)), 0x56);
    EXPECT_EQ(qBlue(s.image().pixel(1, 1)), 0x12);
    EXPECT_TRUE(pixels::opaque(s.image()));
}

TEST(SurfaceResize, KeepsTheOverlapAndShowsTheBackgroundElsewhere)
{
    const QImage start = pixels::randomPicture(10, 8, 30);
    Surface s(10, 8, kGrey, kBlack);
    s.setPicture(start);
    s.resize(14, 5);
    EXPECT_EQ(s.width(), 14);
    EXPECT_EQ(s.height(), 5);
    EXPECT_TRUE(pixels::matches(s, [&](int x, int y) { return x < 10 ? at(start, x, y) : kGrey; }));
    s.resize(6, 9);
    EXPECT_TRUE(pixels::matches(s, [&](int x, int y) { return y < 5 ? at(start, x, y) : kGrey; }));
}

TEST(SurfacePicture, AutoSizingSurfaceTakesThePicturesNaturalSize)
{
    const QImage picture = pixels::randomPicture(37, 11, 31);
    Surface measure(25, 25, kGrey, kBlack);
    measure.setAutoSize(true);
    measure.setPicture(picture);
    EXPECT_EQ(measure.width(), 37);
    EXPECT_EQ(measure.height(), 11);
    EXPECT_TRUE(pixels::sameImage(measure.image(), picture));

    // The empty picture clears it to its background.
    measure.setPicture(QImage());
    EXPECT_TRUE(pixels::matches(measure, [](int, int) { return kGrey; }));
}

TEST(SurfacePicture, FixedSurfaceKeepsItsSizeAndDrawsAtTheCorner)
{
    const QImage picture = pixels::randomPicture(5, 4, 32);
    Surface s(8, 6, kGrey, kBlack);
    s.fillBox(0, 0, 7, 5, kRed);
    s.setPicture(picture);
    EXPECT_EQ(s.width(), 8);
    EXPECT_EQ(s.height(), 6);
    EXPECT_TRUE(pixels::matches(
        s, [&](int x, int y) { return x < 5 && y < 4 ? at(picture, x, y) : kGrey; }));
    s.clear();
    EXPECT_TRUE(pixels::matches(s, [](int, int) { return kGrey; }));
}

// The image is a snapshot: drawing after taking it does not change what was taken.
TEST(SurfacePicture, ImageTakenIsASnapshot)
{
    Surface s(6, 6, kWhite, kBlack);
    const QImage before = s.image();
    s.fillBox(0, 0, 5, 5, kRed);
    EXPECT_EQ(at(before, 3, 3), kWhite);
    Surface measure(2, 2);
    measure.setAutoSize(true);
    measure.setPicture(s.image());
    measure.clear();
    EXPECT_EQ(s.point(3, 3), kRed);
}

TEST(PictureHolderTest, KeepsItsSizeWhenGivenAPicture)
{
    PictureHolder holder(25, 25);
    holder.setWidth(618.6667f);
    holder.setHeight(464);
    holder.setPicture(pixels::randomPicture(640, 480, 33));
    EXPECT_FLOAT_EQ(holder.width(), 618.6667f);
    EXPECT_FLOAT_EQ(holder.height(), 464.0f);
    EXPECT_EQ(holder.picture().size(), QSize(640, 480));
    holder.setPicture(QImage());
    EXPECT_TRUE(holder.picture().isNull());
}

TEST(SurfaceVisibility, IsKeptWithoutAView)
{
    Surface s(4, 4);
    EXPECT_TRUE(s.isVisible());
    s.hide();
    EXPECT_FALSE(s.isVisible());
    s.fillBox(0, 0, 3, 3, kRed); // drawing on a hidden surface still lands in its image
    EXPECT_EQ(s.point(2, 2), kRed);
    s.show();
    EXPECT_TRUE(s.isVisible());
}

} // namespace
