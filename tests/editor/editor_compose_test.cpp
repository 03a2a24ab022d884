#include "editor/editor_compose.h"
#include "editor/editor_surfaces.h"
#include "editor/editor_image_checks.h"
#include "state/fill_box.h"
#include "state/shared_state.h"

#include <gtest/gtest.h>

namespace {

// A photograph-like base or insert without any pure yellow.
Colour gradient(int x, int y)
{
    return rgb(x % 251, y % 241, (x + y) % 239);
}

Colour anotherGradient(int x, int y)
{
    return rgb(255 - y % 200, x % 256, 90);
}

// The editor's surfaces with the masks cleared as a base load clears them.
struct Composition {
    EditorSurfaces s;
    SharedState vars;

    Composition(const QImage &base, const QImage &insert)
    {
        s.Picture2.setPicture(base);
        s.Picture1.setPicture(insert);
        FillWhole(s.Picture4[0], vars, kBlack);
        FillWhole(s.Picture4[1], vars, kBlack);
        FillWhole(s.Picture5[0], vars, kWhite);
        FillWhole(s.Picture5[1], vars, kWhite);
        buildTransparencyMask(s, vars);
        composeEditorPicture(s, vars);
    }
};

struct ComposeCase {
    const char *name;
    std::function<Colour(int, int)> base;
    std::function<Colour(int, int)> insert;
    std::function<Colour(int, int)> composed;
};

} // namespace

TEST(EditorCompose, ComposesTheInsertOnlyThroughExactlyPureYellow)
{
    const auto bands = [](int x, int) {
        // Pure yellow, then two near-yellows, then the base's own colours.
        if (x < 160)
            return kPureYellow;
        if (x < 320)
            return rgb(254, 255, 0);
        if (x < 480)
            return rgb(255, 255, 1);
        return rgb(10, 20, 30);
    };
    const std::vector<ComposeCase> cases = {
        {"base without yellow", gradient, anotherGradient, gradient},
        {"all-yellow base", [](int, int) { return kPureYellow; }, anotherGradient,
         anotherGradient},
        {"near-yellow stays opaque", bands, anotherGradient,
         [&](int x, int y) { return x < 160 ? anotherGradient(x, y) : bands(x, y); }},
        {"yellow in the insert stays yellow",
         [](int x, int y) { return (x / 40 + y / 40) % 2 ? kPureYellow : rgb(0, 0, 255); },
         [](int, int) { return kPureYellow; },
         [](int x, int y) { return (x / 40 + y / 40) % 2 ? kPureYellow : rgb(0, 0, 255); }},
        {"black and white in both",
         [](int x, int) { return x % 3 == 0 ? kPureYellow : (x % 3 == 1 ? kBlack : kWhite); },
         [](int, int y) { return y % 2 ? kBlack : kWhite; },
         [](int x, int y) {
             return x % 3 == 0 ? (y % 2 ? kBlack : kWhite) : (x % 3 == 1 ? kBlack : kWhite);
         }},
    };
    for (const ComposeCase &c : cases) {
        SCOPED_TRACE(c.name);
        Composition comp(pictureOf(640, 480, c.base), pictureOf(640, 480, c.insert));
        EXPECT_EQ(firstWrongPixel(comp.s.Picture3.image(), 640, 480, c.composed), "");
        EXPECT_EQ(firstWrongPixel(comp.s.Picture4[0].image(), 640, 480,
                                  [&](int x, int y) {
                                      return c.base(x, y) == kPureYellow ? kWhite : kBlack;
                                  }),
                  "");
        EXPECT_EQ(firstWrongPixel(comp.s.Picture5[0].image(), 640, 480,
                                  [&](int x, int y) {
                                      return c.base(x, y) == kPureYellow ? kBlack : kWhite;
                                  }),
                  "");
    }
}

TEST(EditorCompose, ComposingAgainChangesNothing)
{
    const auto base = [](int x, int y) { return (x - 320) * (x - 320) + (y - 240) * (y - 240) <
                                                        150 * 150
                                                    ? kPureYellow
                                                    : gradient(x, y); };
    Composition comp(pictureOf(640, 480, base), pictureOf(640, 480, anotherGradient));
    const QImage first = comp.s.Picture3.image().copy();
    const QImage mask = comp.s.Picture4[0].image().copy();
    const QImage inverse = comp.s.Picture5[0].image().copy();
    const QImage insert = comp.s.Picture1.image().copy();
    const QImage baseImage = comp.s.Picture2.image().copy();
    composeEditorPicture(comp.s, comp.vars);
    EXPECT_EQ(firstWrongPixel(comp.s.Picture3.image(), first), "");
    EXPECT_EQ(firstWrongPixel(comp.s.Picture4[0].image(), mask), "");
    EXPECT_EQ(firstWrongPixel(comp.s.Picture5[0].image(), inverse), "");
    EXPECT_EQ(firstWrongPixel(comp.s.Picture1.image(), insert), "");
    EXPECT_EQ(firstWrongPixel(comp.s.Picture2.image(), baseImage), "");
}

TEST(EditorCompose, OnlyTheTopLeftOfALargerInsertSurfaceAndWhiteBeyondASmallerOne)
{
    const auto yellow = [](int, int) { return kPureYellow; };
    {
        SCOPED_TRACE("insert surface larger than the editing area");
        Composition comp(pictureOf(640, 480, yellow), pictureOf(700, 520, anotherGradient));
        EXPECT_EQ(firstWrongPixel(comp.s.Picture3.image(), 640, 480, anotherGradient), "");
    }
    {
        SCOPED_TRACE("insert surface smaller than the editing area");
        Composition comp(pictureOf(640, 480, yellow), QImage());
        comp.s.Picture1.resize(600, 400);
        comp.s.Picture1.setPicture(pictureOf(600, 400, anotherGradient));
        composeEditorPicture(comp.s, comp.vars);
        EXPECT_EQ(firstWrongPixel(comp.s.Picture3.image(), 640, 480,
                                  [](int x, int y) {
                                      return x < 600 && y < 400 ? anotherGradient(x, y) : kWhite;
                                  }),
                  "");
    }
}
