#include "editor/editor_compose.h"
#include "editor/editor_surfaces.h"
#include "state/fill_box.h"
#include "state/shared_state.h"
#include "support/pixel_checks.h"

#include <gtest/gtest.h>

namespace
{

using Paint = std::function<Colour(int, int)>;

// Photograph-like pictures without any pure yellow.
Colour photo(int x, int y)
{
    return rgb(x % 251, y % 241, (x + y) % 239);
}

Colour otherPhoto(int x, int y)
{
    return rgb(255 - y % 200, x % 256, 90);
}

} // namespace

// The insert shows through exactly the pure-yellow pixels of the base, and composing again
// changes nothing.
TEST(EditorCompose, InsertShowsOnlyThroughPureYellow)
{
    const Paint nearYellow = [](int x, int y) {
        if (x < 160)
            return kPureYellow;
        if (x < 320)
            return rgb(254, 255, 0);
        return x < 480 ? rgb(255, 255, 1) : photo(x, y);
    };
    const Paint checkers = [](int x, int y) {
        return (x / 40 + y / 40) % 2 ? kPureYellow : rgb(0, 0, 255);
    };
    const Paint thirds = [](int x, int) {
        return x % 3 == 0 ? kPureYellow : (x % 3 == 1 ? kBlack : kWhite);
    };
    const Paint lines = [](int, int y) { return y % 2 ? kBlack : kWhite; };
    struct Case {
        const char *name;
        Paint base, insert, composed;
    };
    const std::vector<Case> cases = {
        {"base without yellow", photo, otherPhoto, photo},
        {"all-yellow base", [](int, int) { return kPureYellow; }, otherPhoto, otherPhoto},
        {"near-yellow stays opaque", nearYellow, otherPhoto,
         [&](int x, int y) { return x < 160 ? otherPhoto(x, y) : nearYellow(x, y); }},
        {"yellow in the insert stays yellow", checkers, [](int, int) { return kPureYellow; },
         checkers},
        {"black and white in both", thirds, lines,
         [&](int x, int y) { return x % 3 == 0 ? lines(x, y) : thirds(x, y); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EditorSurfaces s;
        SharedState vars;
        s.Picture2.setPicture(pixels::pictureOf(640, 480, c.base));
        s.Picture1.setPicture(pixels::pictureOf(640, 480, c.insert));
        // The masks as a base load leaves them.
        for (int i : {0, 1}) {
            FillWhole(s.Picture4[i], vars, kBlack);
            FillWhole(s.Picture5[i], vars, kWhite);
        }
        buildTransparencyMask(s, vars);
        composeEditorPicture(s, vars);
        EXPECT_TRUE(pixels::matches(s.Picture3, c.composed));
        const QImage first = s.Picture3.image().copy();
        composeEditorPicture(s, vars);
        EXPECT_TRUE(pixels::sameImage(s.Picture3.image(), first)) << "composed twice";
    }
}

// The scratch surfaces hold the insert cut out by the mask (the mask itself where a smaller
// insert surface does not reach) and the base with its holes blacked out, as that composition
// left them, whatever happens to Picture3 and the base afterwards.
TEST(EditorCompose, ScratchSurfacesHoldTheCutOutPicturesOfThatComposition)
{
    const Paint checkers = [](int x, int y) {
        return (x / 40 + y / 40) % 2 ? kPureYellow : photo(x, y);
    };
    const auto hole = [&](int x, int y) { return checkers(x, y) == kPureYellow; };
    EditorSurfaces s;
    SharedState vars;
    s.Picture2.setPicture(pixels::pictureOf(640, 480, checkers));
    s.Picture1.resize(600, 400);
    s.Picture1.setPicture(pixels::pictureOf(600, 400, otherPhoto));
    for (int i : {0, 1}) {
        FillWhole(s.Picture4[i], vars, kBlack);
        FillWhole(s.Picture5[i], vars, kWhite);
    }
    buildTransparencyMask(s, vars);
    composeEditorPicture(s, vars);
    FillWhole(s.Picture3, vars, kBlack);
    s.Picture2.setPicture(pixels::plainPicture(640, 480, kBlack));
    EXPECT_TRUE(pixels::matches(s.Picture4[1], [&](int x, int y) {
        if (!hole(x, y))
            return kBlack;
        return x < 600 && y < 400 ? otherPhoto(x, y) : kWhite;
    }));
    EXPECT_TRUE(pixels::matches(
        s.Picture5[1], [&](int x, int y) { return hole(x, y) ? kBlack : checkers(x, y); }));
}
