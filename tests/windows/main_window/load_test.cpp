#include "main_window/place_fitted.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QFile>

#include <array>

namespace
{

using pixels::at;

constexpr Colour kRed = rgb(255, 0, 0);

Colour stripeA(int x, int)
{
    return (x / 2) % 2 == 0 ? kBlack : kWhite;
}

// Everything a slot consists of, copied, to compare before and after a command.
using SlotSnapshot = std::array<QImage, 5>;

class Loading : public ProgramFixture
{
  protected:
    void load(int slot, std::optional<QString> path)
    {
        dialogs.answer(path);
        window().Command1_Click(slot);
    }
    void load(int slot, const QImage &picture)
    {
        load(slot, writePicture(picture, QStringLiteral("picture%1.bmp").arg(++files)));
    }
    SlotSnapshot snapshot(int slot)
    {
        const MainSurfaces &s = surfaces();
        return {slot == 0 ? s.Picture1.image() : s.Picture2.image(), s.Picture10[slot].image(),
                s.Picture8[slot].image(), s.Picture9[slot].image(),
                slot == 0 ? s.Image4.picture() : s.Image5.picture()};
    }
    void expectUnchanged(const SlotSnapshot &before, int slot)
    {
        const SlotSnapshot now = snapshot(slot);
        const char *names[] = {"stripe surface", "Picture10", "Picture8", "Picture9", "thumbnail"};
        for (int i = 0; i < 5; ++i)
            EXPECT_TRUE(pixels::sameImage(now[i], before[i])) << names[i] << " of slot " << slot;
    }
    int files = 0;
};

// The fit-and-centre rule and where the picture lands: edges are rounded half to even, so
// 10.67 .. 629.33 covers columns 11 .. 628.
TEST(PlaceFittedRule, FitsCentresAndDrawsTheWorkedExamples)
{
    struct Placement {
        QSize picture, canvas;
        float fittedW, fittedH, left, top;
        QRect covered;
    };
    const Placement placements[] = {
        {{640, 480}, {320, 240}, 320, 240, 0, 0, {0, 0, 320, 240}},
        {{300, 400}, {320, 240}, 180, 240, 70, 0, {70, 0, 180, 240}},
        {{300, 400}, {640, 464}, 348, 464, 146, 0, {146, 0, 348, 464}},
        {{100, 50}, {320, 240}, 320, 160, 0, 40, {0, 40, 320, 160}},
        {{640, 480}, {640, 464}, 618.6667f, 464, 10.66667f, 0, {11, 0, 618, 464}},
        {{32, 24}, {640, 480}, 640, 480, 0, 0, {0, 0, 640, 480}},
        {{1, 1}, {320, 240}, 240, 240, 40, 0, {40, 0, 240, 240}},
        {{10, 10}, {320, 0}, 0, 0, 0, 0, {}}, // a floating-point fault
    };
    for (const Placement &p : placements) {
        SCOPED_TRACE(::testing::Message()
                     << p.picture.width() << "x" << p.picture.height() << " on " << p.canvas.width()
                     << "x" << p.canvas.height());
        SharedState vars;
        MeasuringSurface measure(25, 25);
        PictureHolder holder(25, 25);
        Surface canvas(p.canvas.width(), p.canvas.height(), kWhite, kBlack);
        const QImage picture = pixels::plainPicture(p.picture.width(), p.picture.height(), kRed);
        measure.setPicture(picture);
        if (p.covered.isEmpty()) {
            EXPECT_THROW(PlaceFitted(picture, canvas, PlacementTools{measure, holder}, vars),
                         CommandError);
            continue;
        }
        PlaceFitted(picture, canvas, PlacementTools{measure, holder}, vars);
        EXPECT_EQ(QSizeF(vars.placeSrcW, vars.placeSrcH), QSizeF(p.picture));
        EXPECT_EQ(QSizeF(vars.placeDstW, vars.placeDstH), QSizeF(p.canvas));
        EXPECT_NEAR(holder.width(), p.fittedW, 1e-3);
        EXPECT_NEAR(holder.height(), p.fittedH, 1e-3);
        EXPECT_NEAR(vars.placeLeft, p.left, 1e-3);
        EXPECT_NEAR(vars.placeTop, p.top, 1e-3);
        EXPECT_TRUE(pixels::matches(
            canvas, [&](int x, int y) { return p.covered.contains(x, y) ? kRed : kWhite; }));
    }
}

// Each slot's canvases get the picture fitted and centred between equal white bands, and
// nothing of the slot's previous picture remains. Slot 2's large canvas is 640 x 464.
TEST_F(Loading, BothCanvasesOfASlotGetThePictureFittedAndCentred)
{
    struct Case {
        int slot;
        QSize picture;
        QRect canvas, largeCanvas; // where the picture lands
    };
    const Case cases[] = {
        {0, {640, 480}, {0, 0, 320, 240}, {0, 0, 640, 480}},
        {0, {100, 50}, {0, 40, 320, 160}, {0, 80, 640, 320}},
        {0, {300, 400}, {70, 0, 180, 240}, {140, 0, 360, 480}},
        {1, {640, 480}, {0, 0, 320, 240}, {11, 0, 618, 464}},
        {1, {100, 50}, {0, 40, 320, 160}, {0, 72, 640, 320}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "slot " << c.slot << " " << c.picture.width() << "x" << c.picture.height());
        load(c.slot, pixels::plainPicture(c.picture.width(), c.picture.height(), kRed));
        const MainSurfaces &s = surfaces();
        EXPECT_TRUE(pixels::matches(s.Picture8[c.slot], [&](int x, int y) {
            return c.canvas.contains(x, y) ? kRed : kWhite;
        }));
        EXPECT_TRUE(pixels::matches(s.Picture9[c.slot], [&](int x, int y) {
            return c.largeCanvas.contains(x, y) ? kRed : kWhite;
        }));
        EXPECT_EQ(s.Picture7.size(), c.picture); // measured at its natural size
    }
}

// Enlarged pictures are resampled smoothly: a ramp enlarged 8 times keeps rising and has
// more levels than its 80 source columns.
TEST_F(Loading, EnlargedPicturesStaySmooth)
{
    load(0, pixels::pictureOf(80, 60, [](int x, int) { return rgb(x * 3, 100, 255 - x * 3); }));
    int previous = -1, levels = 0;
    for (int x = 8; x < 632; ++x) {
        const int red = int(surfaces().Picture9[0].point(x, 240) & 0xFF);
        EXPECT_GE(red, previous) << "x=" << x;
        levels += red != previous;
        previous = red;
    }
    EXPECT_GT(levels, 150);
}

// A large photograph is decoded at a reduced scale, yet measured and placed as the whole
// picture would be.
TEST_F(Loading, LargePhotographIsPlacedAsTheWholePicture)
{
    const QImage photo = pixels::pictureOf(2880, 2160, [](int x, int y) {
        return rgb(x * 255 / 2880, y * 255 / 2160, ((x / 97 + y / 89) % 2) * 200);
    });
    const QString path = writePicture(photo, "photo.jpg", "JPG");
    load(1, path);
    EXPECT_EQ(surfaces().Picture7.size(), QSize(2880, 2160));
    const QImage whole =
        QImage(path).scaled(320, 240, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    long long total = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const QRgb a = toQRgb(surfaces().Picture8[1].point(x, y)), b = whole.pixel(x, y);
            total += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b));
        }
    EXPECT_LT(double(total) / (320 * 240), 3.0);
}

// Loading one slot redraws its own stripe mask, never a surface of the other slot, and
// leaves the composed pictures alone.
TEST_F(Loading, OneSlotNeverChangesTheOther)
{
    load(0, pixels::randomPicture(320, 240, 62));
    load(1, pixels::randomPicture(400, 300, 63));
    window().Command1_Click(2); // compose, which writes both stripe surfaces
    const QImage composed = surfaces().Picture3.image();
    const QImage composedLarge = surfaces().Picture11.image();

    const SlotSnapshot slot1 = snapshot(0);
    load(1, pixels::randomPicture(200, 500, 64));
    expectUnchanged(slot1, 0);

    const SlotSnapshot slot2 = snapshot(1);
    load(0, pixels::randomPicture(500, 200, 65));
    expectUnchanged(slot2, 1);
    EXPECT_TRUE(pixels::matches(surfaces().Picture1, stripeA));
    EXPECT_TRUE(pixels::matches(surfaces().Picture10[0], stripeA));

    EXPECT_TRUE(pixels::sameImage(surfaces().Picture3.image(), composed));
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture11.image(), composedLarge));
}

// Each load button asks with its filter in the program folder; cancelling changes nothing
// but the buttons.
TEST_F(Loading, CancelledDialogChangesNothingButTheButtons)
{
    load(0, pixels::randomPicture(320, 240, 69));
    window().Command1_Click(2);
    const SlotSnapshot slot1 = snapshot(0), slot2 = snapshot(1);
    const QImage composed = surfaces().Picture3.image();
    window().Command2_Click();
    ASSERT_TRUE(window().Command2->isHidden());

    for (int slot : {0, 1}) {
        SCOPED_TRACE(slot);
        load(slot, std::nullopt);
        const auto &shown = dialogs.shown().back();
        EXPECT_EQ(shown.kind, ScriptedFileDialogs::Kind::Open);
        EXPECT_EQ(shown.request.filter, QStringLiteral("(*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg"));
        EXPECT_EQ(shown.request.initDir, vars().appFolder);
        EXPECT_EQ(shown.request.fileName, QString());
        expectUnchanged(slot1, 0);
        expectUnchanged(slot2, 1);
        EXPECT_TRUE(pixels::sameImage(surfaces().Picture3.image(), composed));
        // The prologue ran all the same.
        EXPECT_FALSE(window().Command2->isHidden());
        EXPECT_TRUE(window().Command3->isHidden());
        EXPECT_FALSE(surfaces().Picture5[2].isVisible());
        EXPECT_EQ(clock().interval(), 0);
    }
}

TEST_F(Loading, UndecodableFileLeavesTheSlotEmptyWithoutAMessage)
{
    load(1, pixels::randomPicture(320, 240, 71));
    const SlotSnapshot slot2 = snapshot(1);
    const QString broken = temp.filePath("broken.jpg");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xD8\xFF not really a JPEG");
    }
    for (const QString &path : {broken, temp.filePath("missing.gif")}) {
        SCOPED_TRACE(path.toStdString());
        load(0, pixels::randomPicture(320, 240, 72));
        EXPECT_NO_THROW(load(0, path));
        const MainSurfaces &s = surfaces();
        EXPECT_TRUE(pixels::matches(s.Picture1, stripeA));
        EXPECT_TRUE(pixels::matches(s.Picture10[0], stripeA));
        EXPECT_TRUE(pixels::matches(s.Picture8[0], [](int, int) { return kWhite; }));
        EXPECT_TRUE(pixels::matches(s.Picture9[0], [](int, int) { return kWhite; }));
        EXPECT_TRUE(s.Image4.picture().isNull());
        expectUnchanged(slot2, 1);
    }
}

// The editor hands its picture over by the same road as a file.
TEST_F(Loading, FillSlotMatchesLoadingTheSamePictureFromAFile)
{
    const QImage picture = pixels::randomPicture(640, 480, 73);
    load(1, picture);
    const SlotSnapshot fromFile = snapshot(1);
    load(1, pixels::randomPicture(100, 100, 74));
    window().FillSlot(1, picture);
    expectUnchanged(fromFile, 1);
}

} // namespace
