#include "support/pixel_checks.h"
#include "support/program_fixture.h"

namespace
{

using pixels::at;

class Composing : public ProgramFixture
{
  protected:
    void load(int slot, const QImage &picture)
    {
        dialogs.answer(writePicture(picture, QStringLiteral("slot%1.bmp").arg(slot)));
        window().Command1_Click(slot);
    }
    void compose() { window().Command1_Click(2); }
};

// Every column comes from picture 1 where floor(x / w) is even and from picture 2 where it
// is odd, on Picture3 and on the large Picture11 alike. Picture 1 changes only from column
// to column, so squeezing its 480 rows into Picture11's 464 keeps it exact.
TEST_F(Composing, EveryColumnComesFromItsPictureForEveryLineWidth)
{
    const QImage columns = pixels::randomPicture(320, 1, 80);
    const QImage one = pixels::pictureOf(320, 240, [&](int x, int) { return at(columns, x, 0); });
    const QImage two = pixels::randomPicture(320, 240, 81);
    load(0, one);
    load(1, two);
    const QImage large1 = surfaces().Picture9[0].image();
    const QImage large2 = surfaces().Picture9[1].image();
    for (int w : {1, 2, 3, 4, 5, 320}) {
        SCOPED_TRACE(::testing::Message() << "lineWidth " << w);
        vars().lineWidth = w;
        compose();
        const MainSurfaces &s = surfaces();
        auto first = [w](int x) { return (x / w) % 2 == 0; };
        EXPECT_TRUE(pixels::matches(
            s.Picture3, [&](int x, int y) { return first(x) ? at(one, x, y) : at(two, x, y); }));
        EXPECT_EQ(s.Picture11.image().size(), QSize(640, 464));
        EXPECT_TRUE(pixels::matches(s.Picture11, [&](int x, int y) {
            return first(x) ? at(large1, x, 0) : at(large2, x, y);
        }));
        // The stripe surfaces keep each picture inside its own stripes, white elsewhere.
        EXPECT_TRUE(pixels::matches(
            s.Picture1, [&](int x, int y) { return first(x) ? at(one, x, y) : kWhite; }));
        EXPECT_TRUE(pixels::matches(
            s.Picture2, [&](int x, int y) { return first(x) ? kWhite : at(two, x, y); }));
    }
}

TEST_F(Composing, TwiceGivesTheSameResult)
{
    load(0, pixels::randomPicture(320, 240, 82));
    load(1, pixels::randomPicture(500, 260, 83));
    compose();
    const QImage first = surfaces().Picture3.image();
    const QImage firstLarge = surfaces().Picture11.image();
    compose();
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture3.image(), first));
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture11.image(), firstLarge));
}

// A slot not loaded yet gives white stripes.
TEST_F(Composing, BeforeLoadingGivesWhiteStripes)
{
    compose();
    EXPECT_TRUE(pixels::matches(surfaces().Picture3, [](int, int) { return kWhite; }));
    EXPECT_TRUE(pixels::matches(surfaces().Picture11, [](int, int) { return kWhite; }));

    const QImage one = pixels::randomPicture(320, 240, 84);
    load(0, one);
    compose();
    EXPECT_TRUE(pixels::matches(surfaces().Picture3, [&](int x, int y) {
        return (x / 2) % 2 == 0 ? at(one, x, y) : kWhite;
    }));
}

} // namespace
