#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <algorithm>

namespace
{

using pixels::at;

class Composing : public ProgramFixture
{
  protected:
    void loadBoth(const QImage &one, const QImage &two)
    {
        dialogs.answer(writePicture(one, "one.bmp"));
        window().Command1_Click(0);
        dialogs.answer(writePicture(two, "two.bmp"));
        window().Command1_Click(1);
    }
    void setLineWidth(int w)
    {
        vars().lineWidth = w;
        vars().latticeGap = w;
        vars().latticeBar = w;
    }
    void compose() { window().Command1_Click(2); }
};

// Picture11 squeezes the 480 rows of Picture9(0) into 464: each of its rows must be one
// real row of Picture9(0) near the corresponding place.
::testing::AssertionResult largeStripeFromSqueezedRows(const QImage &composed,
                                                       const QImage &picture, int w)
{
    for (int y = 0; y < composed.height(); ++y) {
        const int centre = int((y + 0.5) * 480 / 464);
        for (int x = 0; x < composed.width(); ++x) {
            if ((x / w) % 2 != 0)
                continue;
            bool found = false;
            for (int r = std::max(centre - 1, 0); r <= std::min(centre + 1, 479); ++r)
                found |= at(composed, x, y) == at(picture, x, r);
            if (!found)
                return ::testing::AssertionFailure()
                       << "(" << x << ", " << y << ") is " << pixels::hex(at(composed, x, y))
                       << ", not a pixel of picture 1's rows near " << centre;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(Composing, EveryColumnComesFromItsPictureForEveryLineWidth)
{
    const QImage one = pixels::randomPicture(320, 240, 80);
    const QImage two = pixels::randomPicture(320, 240, 81);
    loadBoth(one, two);
    const QImage large1 = surfaces().Picture9[0].image();
    const QImage large2 = surfaces().Picture9[1].image();
    for (int w = 1; w <= 5; ++w) {
        SCOPED_TRACE(::testing::Message() << "lineWidth " << w);
        setLineWidth(w);
        compose();
        const MainSurfaces &s = surfaces();
        EXPECT_TRUE(pixels::matches(s.Picture3, [&](int x, int y) {
            return (x / w) % 2 == 0 ? at(one, x, y) : at(two, x, y);
        }));
        // The large composition: picture 2's canvas is Picture11's size, copied one to one.
        EXPECT_EQ(s.Picture11.width(), 640);
        EXPECT_EQ(s.Picture11.height(), 464);
        EXPECT_TRUE(pixels::matches(s.Picture11, [&](int x, int y) {
            return (x / w) % 2 == 1 ? at(large2, x, y) : at(s.Picture11.image(), x, y);
        }));
        EXPECT_TRUE(largeStripeFromSqueezedRows(s.Picture11.image(), large1, w));
        // The stripe surfaces keep each picture inside its own stripes, white elsewhere.
        EXPECT_TRUE(pixels::matches(
            s.Picture1, [&](int x, int y) { return (x / w) % 2 == 0 ? at(one, x, y) : kWhite; }));
        EXPECT_TRUE(pixels::matches(
            s.Picture2, [&](int x, int y) { return (x / w) % 2 == 1 ? at(two, x, y) : kWhite; }));
    }
}

TEST_F(Composing, LargeCompositionOfAColumnPatternIsExact)
{
    // Pictures whose colour changes only from column to column: squeezing rows changes
    // nothing, so Picture11 must hold Picture9's columns exactly.
    QImage one(320, 240, QImage::Format_RGB32), two(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            one.setPixel(x, y, qRgb(x % 256, 50, 200));
            two.setPixel(x, y, qRgb(10, x % 256, 60));
        }
    loadBoth(one, two);
    setLineWidth(3);
    compose();
    const QImage large1 = surfaces().Picture9[0].image();
    const QImage large2 = surfaces().Picture9[1].image();
    EXPECT_TRUE(pixels::matches(surfaces().Picture11, [&](int x, int y) {
        return (x / 3) % 2 == 0 ? at(large1, x, 0) : at(large2, x, y);
    }));
}

TEST_F(Composing, TwiceGivesTheSameResult)
{
    loadBoth(pixels::randomPicture(320, 240, 82), pixels::randomPicture(500, 260, 83));
    compose();
    const QImage first = surfaces().Picture3.image();
    const QImage firstLarge = surfaces().Picture11.image();
    compose();
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture3.image(), first));
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture11.image(), firstLarge));
}

TEST_F(Composing, BeforeLoadingGivesWhite)
{
    compose();
    EXPECT_TRUE(pixels::matches(surfaces().Picture3, [](int, int) { return kWhite; }));
    EXPECT_TRUE(pixels::matches(surfaces().Picture11, [](int, int) { return kWhite; }));
}

TEST_F(Composing, WithOnlyPictureOneLoadedPictureTwosStripesAreWhite)
{
    const QImage one = pixels::randomPicture(320, 240, 84);
    dialogs.answer(writePicture(one, "one.bmp"));
    window().Command1_Click(0);
    compose();
    EXPECT_TRUE(pixels::matches(surfaces().Picture3, [&](int x, int y) {
        return (x / 2) % 2 == 0 ? at(one, x, y) : kWhite;
    }));
}

TEST_F(Composing, LineWidthAsWideAsThePictureShowsPictureOneAlone)
{
    const QImage one = pixels::randomPicture(320, 240, 85);
    loadBoth(one, pixels::randomPicture(320, 240, 86));
    setLineWidth(320);
    compose();
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture3.image(), one));
}

TEST_F(Composing, ComposeButtonStopsThePreviewAndOffersTheAnimation)
{
    loadBoth(pixels::randomPicture(320, 240, 87), pixels::randomPicture(320, 240, 88));
    window().Command2_Click();
    ASSERT_EQ(clock().interval(), 100);
    compose();
    EXPECT_EQ(clock().interval(), 0);
    EXPECT_FALSE(window().Command2->isHidden());
    EXPECT_TRUE(window().Command3->isHidden());
    EXPECT_FALSE(surfaces().Picture5[2].isVisible());
    EXPECT_DOUBLE_EQ(vars().fitWidth, 640);
    EXPECT_DOUBLE_EQ(vars().fitHeight, 464);
}

} // namespace
