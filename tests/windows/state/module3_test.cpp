#include "state/fill_box.h"
#include "state/module3.h"
#include "state/program_state.h"
#include "support/pixel_checks.h"

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

struct Patterns : ::testing::Test {
    ProgramState state;
};

// Widths 3 and 640 do not divide the 320 columns; 320 and more leave mask B empty there.
TEST_F(Patterns, BothMasksForEveryLineWidthOnEverySurface)
{
    for (int w : {1, 2, 3, 4, 5, 320, 640, 1000}) {
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
            QSize size;
        };
        const Check checks[] = {{state.main.Picture1, "Picture1", maskA, {320, 240}},
                                {state.main.Picture10[0], "Picture10(0)", maskA, {640, 480}},
                                {state.main.Picture2, "Picture2", maskB, {320, 240}},
                                {state.main.Picture10[1], "Picture10(1)", maskB, {640, 464}}};
        for (const Check &c : checks) {
            SCOPED_TRACE(::testing::Message() << c.name << " lineWidth " << w);
            EXPECT_EQ(c.surface.image().size(), c.size);
            EXPECT_TRUE(pixels::matches(c.surface, [&](int x, int) { return c.expected(x, w); }));
        }
    }
}

TEST_F(Patterns, BothLatticeSheetsForEveryWidth)
{
    struct Case {
        int gap, bar;
    };
    for (const Case c : {Case{1, 1}, Case{2, 2}, Case{3, 3}, Case{4, 4}, Case{5, 5}, Case{3, 1}}) {
        state.vars.latticeGap = c.gap;
        state.vars.latticeBar = c.bar;
        state.main.Picture4.setPicture(pixels::randomPicture(1030, 240, c.gap));
        state.main.Picture40.setPicture(pixels::randomPicture(672, 240, c.bar));
        Module3::DrawLatticeSheet(state); // draws Picture40 as well
        for (const Surface *s : {&state.main.Picture4, &state.main.Picture40}) {
            SCOPED_TRACE(::testing::Message()
                         << "width " << s->width() << " gap " << c.gap << " bar " << c.bar);
            EXPECT_TRUE(pixels::matches(*s, [&](int x, int) { return lattice(x, c.gap, c.bar); }));
        }
    }
}

TEST_F(Patterns, ClearComposedWhitensBothComposedPictures)
{
    state.main.Picture3.setPicture(pixels::randomPicture(320, 240, 50));
    state.main.Picture11.setPicture(pixels::randomPicture(640, 464, 51));
    Module3::ClearComposed(state);
    EXPECT_TRUE(pixels::matches(state.main.Picture3, [](int, int) { return kWhite; }));
    EXPECT_TRUE(pixels::matches(state.main.Picture11, [](int, int) { return kWhite; }));
}

// The mask row gives the pixels and leaves the box as the run of boxes on a one-row surface.
TEST_F(Patterns, StripeMaskRowIsTheRunOfBoxesOnOneRow)
{
    for (int width : {1, 7, 320})
        for (int w : {1, 2, 3, 5, 400})
            for (int x0 : {0, w}) {
                SCOPED_TRACE(::testing::Message()
                             << "width " << width << " w " << w << " from " << x0);
                SharedState &vars = state.vars;
                vars.lineWidth = w;
                Surface run(width, 1);
                FillWhole(run, vars, kWhite);
                Module3::stripeRun(run, vars, w, x0);
                const SharedState byRun = vars;
                vars = SharedState{};
                vars.lineWidth = w;
                const Surface surface(width, 9);
                EXPECT_TRUE(
                    pixels::sameImage(Module3::stripeMaskRow(surface, vars, x0), run.image()));
                EXPECT_EQ(vars.boxLeft, byRun.boxLeft);
                EXPECT_EQ(vars.boxRight, byRun.boxRight);
                EXPECT_EQ(vars.boxTop, byRun.boxTop);
                EXPECT_EQ(vars.boxBottom, 9);
            }
}

} // namespace
