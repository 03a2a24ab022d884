#include "support/pixel_checks.h"
#include "state/module3.h"
#include "state/program_state.h"

#include <gtest/gtest.h>

namespace
{

// Column x is black in mask A when floor(x / w) is even, in mask B when it is odd.
Colour maskA(int x, int w)
{
    return (x / w) % 2 == 0 ? kBlack : kWhite;
}
Colour maskB(int x, int w)
{
    return (x / w) % 2 == 1 ? kBlack : kWhite;
}

// Bars at g + k(b + g) .. g + k(b + g) + b - 1.
Colour lattice(int x, int g, int b)
{
    return x >= g && (x - g) % (b + g) < b ? kBlack : kWhite;
}

struct Masks : ::testing::Test {
    ProgramState state;
};

TEST_F(Masks, BothMasksForEveryLineWidthOnEverySurface)
{
    for (int w = 1; w <= 5; ++w) {
        state.vars.lineWidth = w;
        // Leave something on the surfaces first: the masks redraw them from scratch.
        for (Surface *s : {&state.main.Picture1, &state.main.Picture2, &state.main.Picture10[0],
                           &state.main.Picture10[1]})
            s->setPicture(pixels::randomPicture(s->width(), s->height(), w));
        Module3::DrawStripeMaskA(state);
        Module3::DrawStripeMaskB(state);
        struct Check {
            const Surface &surface;
            const char *name;
            Colour (*expected)(int, int);
            int width, height;
        };
        const Check checks[] = {{state.main.Picture1, "Picture1", maskA, 320, 240},
                                {state.main.Picture10[0], "Picture10(0)", maskA, 640, 480},
                                {state.main.Picture2, "Picture2", maskB, 320, 240},
                                {state.main.Picture10[1], "Picture10(1)", maskB, 640, 464}};
        for (const Check &c : checks) {
            SCOPED_TRACE(::testing::Message() << c.name << " lineWidth " << w);
            EXPECT_EQ(c.surface.width(), c.width);
            EXPECT_EQ(c.surface.height(), c.height);
            EXPECT_TRUE(pixels::matches(c.surface, [&](int x, int) { return c.expected(x, w); }));
        }
    }
}

TEST_F(Masks, WidthTwoOnThe320SurfaceHas80StripesEach)
{
    Module3::DrawStripeMaskA(state);
    Module3::DrawStripeMaskB(state);
    int stripesA = 0, stripesB = 0;
    for (int x = 0; x < 320; ++x) {
        const bool startA = state.main.Picture1.point(x, 0) == kBlack &&
                            (x == 0 || state.main.Picture1.point(x - 1, 0) == kWhite);
        const bool startB = state.main.Picture2.point(x, 0) == kBlack &&
                            (x == 0 || state.main.Picture2.point(x - 1, 0) == kWhite);
        stripesA += startA;
        stripesB += startB;
    }
    EXPECT_EQ(stripesA, 80);
    EXPECT_EQ(stripesB, 80);
    EXPECT_EQ(state.main.Picture1.point(316, 239), kBlack);
    EXPECT_EQ(state.main.Picture1.point(317, 239), kBlack);
    EXPECT_EQ(state.main.Picture1.point(318, 239), kWhite);
    EXPECT_EQ(state.main.Picture2.point(319, 0), kBlack);
}

// 320 = 106 * 3 + 2: the last stripe is cut to two columns and, k = 106 being even,
// belongs to mask A.
TEST_F(Masks, WidthNotDividingTheSurfaceLeavesAPartialLastStripe)
{
    state.vars.lineWidth = 3;
    Module3::DrawStripeMaskA(state);
    Module3::DrawStripeMaskB(state);
    for (int x : {318, 319}) {
        EXPECT_EQ(state.main.Picture1.point(x, 5), kBlack) << x;
        EXPECT_EQ(state.main.Picture2.point(x, 5), kWhite) << x;
    }
    for (int x : {315, 316, 317}) {
        EXPECT_EQ(state.main.Picture1.point(x, 5), kWhite) << x;
        EXPECT_EQ(state.main.Picture2.point(x, 5), kBlack) << x;
    }
}

TEST_F(Masks, WidthAsWideAsTheSurfaceMakesMaskABlackAndMaskBWhite)
{
    for (int w : {320, 640, 1000}) {
        SCOPED_TRACE(w);
        state.vars.lineWidth = w;
        Module3::DrawStripeMaskA(state);
        Module3::DrawStripeMaskB(state);
        EXPECT_TRUE(pixels::matches(state.main.Picture1, [](int, int) { return kBlack; }));
        EXPECT_TRUE(pixels::matches(state.main.Picture2, [](int, int) { return kWhite; }));
        // On the 640-pixel surfaces a width of 320 still leaves room for mask B's stripe.
        const bool wider = w >= 640;
        EXPECT_TRUE(pixels::matches(state.main.Picture10[0],
                                    [&](int x, int) { return wider ? kBlack : maskA(x, w); }));
        EXPECT_TRUE(pixels::matches(state.main.Picture10[1],
                                    [&](int x, int) { return wider ? kWhite : maskB(x, w); }));
    }
}

TEST_F(Masks, LeaveTheBoxAtTheLastStripe)
{
    state.vars.lineWidth = 2;
    Module3::DrawStripeMaskB(state); // ends on Picture10(1), 640 x 464
    EXPECT_EQ(state.vars.boxLeft, 640 + 2);
    EXPECT_EQ(state.vars.boxRight, 639);
    EXPECT_EQ(state.vars.boxTop, 0);
    EXPECT_EQ(state.vars.boxBottom, 464);
}

TEST_F(Masks, ClearComposedWhitensBothComposedPictures)
{
    state.main.Picture3.setPicture(pixels::randomPicture(320, 240, 50));
    state.main.Picture11.setPicture(pixels::randomPicture(640, 464, 51));
    Module3::ClearComposed(state);
    EXPECT_TRUE(pixels::matches(state.main.Picture3, [](int, int) { return kWhite; }));
    EXPECT_TRUE(pixels::matches(state.main.Picture11, [](int, int) { return kWhite; }));
}

TEST_F(Masks, BothLatticeSheetsForEveryWidth)
{
    for (int w = 1; w <= 5; ++w) {
        state.vars.latticeGap = w;
        state.vars.latticeBar = w;
        state.main.Picture4.setPicture(pixels::randomPicture(1030, 240, w));
        state.main.Picture40.setPicture(pixels::randomPicture(672, 240, w));
        Module3::DrawLatticeSheet(state); // draws Picture40 as well
        for (const Surface *s : {&state.main.Picture4, &state.main.Picture40}) {
            SCOPED_TRACE(::testing::Message() << "width " << s->width() << " lattice " << w);
            EXPECT_TRUE(pixels::matches(*s, [&](int x, int) { return lattice(x, w, w); }));
            // The left margin is g white columns.
            for (int x = 0; x < w; ++x)
                EXPECT_EQ(s->point(x, 0), kWhite) << x;
        }
    }
}

TEST_F(Masks, LatticeWithUnequalGapAndBar)
{
    state.vars.latticeGap = 3;
    state.vars.latticeBar = 1;
    Module3::DrawLatticeSheet2(state);
    EXPECT_TRUE(pixels::matches(state.main.Picture40, [](int x, int) { return lattice(x, 3, 1); }));
}

TEST_F(Masks, DefaultLatticeRunsFrom2To1027)
{
    Module3::DrawLatticeSheet(state);
    const Surface &s = state.main.Picture4;
    EXPECT_EQ(s.width(), 1030);
    for (int x : {0, 1, 4, 5, 1024, 1025, 1028, 1029})
        EXPECT_EQ(s.point(x, 100), kWhite) << x;
    for (int x : {2, 3, 6, 7, 1022, 1023, 1026, 1027})
        EXPECT_EQ(s.point(x, 100), kBlack) << x;
}

} // namespace
