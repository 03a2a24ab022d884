#include "main_window/place_fitted.h"
#include "platform/gif_file.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QFile>

namespace
{

using pixels::at;

constexpr Colour kRed = rgb(255, 0, 0);
const QString kPictureFilter = QStringLiteral("(*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg");

// Everything a slot consists of, copied, to compare before and after a command.
struct SlotSnapshot {
    QImage stripes, largeStripes, canvas, largeCanvas, thumbnail;
};

class Loading : public ProgramFixture
{
  protected:
    void load(int slot, const QString &path)
    {
        dialogs.answer(path);
        window().Command1_Click(slot);
    }
    QString pictureFile(const QImage &picture, const QString &name)
    {
        return writePicture(picture, name);
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
        EXPECT_TRUE(pixels::sameImage(now.stripes, before.stripes)) << "stripe surface";
        EXPECT_TRUE(pixels::sameImage(now.largeStripes, before.largeStripes)) << "Picture10";
        EXPECT_TRUE(pixels::sameImage(now.canvas, before.canvas)) << "Picture8";
        EXPECT_TRUE(pixels::sameImage(now.largeCanvas, before.largeCanvas)) << "Picture9";
        EXPECT_EQ(now.thumbnail.isNull(), before.thumbnail.isNull());
        if (!before.thumbnail.isNull()) {
            EXPECT_TRUE(pixels::sameImage(now.thumbnail, before.thumbnail)) << "thumbnail";
        }
    }
};

TEST_F(Loading, OpenDialogsAskWithTheirFilterInTheProgramFolder)
{
    for (int slot : {0, 1}) {
        SCOPED_TRACE(slot);
        dialogs.answer(std::nullopt);
        window().Command1_Click(slot);
        ASSERT_FALSE(dialogs.shown().empty());
        const auto &shown = dialogs.shown().back();
        EXPECT_EQ(shown.kind, ScriptedFileDialogs::Kind::Open);
        EXPECT_EQ(shown.request.filter, kPictureFilter);
        EXPECT_EQ(shown.request.initDir, vars().appFolder);
        EXPECT_EQ(shown.request.fileName, QString());
        EXPECT_EQ(shown.request.flags, 0);
    }
    EXPECT_EQ(dialogs.shown().size(), 2u);
}

TEST_F(Loading, PictureOfTheCanvasSizeIsCopiedPixelForPixel)
{
    const QImage picture = pixels::randomPicture(320, 240, 60);
    for (int slot : {0, 1}) {
        SCOPED_TRACE(slot);
        load(slot, pictureFile(picture, QStringLiteral("same%1.bmp").arg(slot)));
        const MainSurfaces &s = surfaces();
        EXPECT_TRUE(pixels::sameImage(s.Picture8[slot].image(), picture));
        const PictureHolder &thumbnail = slot == 0 ? s.Image4 : s.Image5;
        EXPECT_TRUE(pixels::sameImage(thumbnail.picture(), picture));
        EXPECT_EQ(s.Picture7.width(), 320);
        EXPECT_EQ(s.Picture7.height(), 240);
    }
}

TEST_F(Loading, ThumbnailKeepsItsOwnCopyOfTheCanvas)
{
    const QImage picture = pixels::randomPicture(320, 240, 61);
    load(0, pictureFile(picture, "p.bmp"));
    surfaces().Picture8[0].fillBox(0, 0, 319, 239, kRed);
    EXPECT_TRUE(pixels::sameImage(surfaces().Image4.picture(), picture));
}

struct Placement {
    int pictureW, pictureH;
    int canvasW, canvasH;
    float fittedW, fittedH;
    float left, top;
    // Whole pixels the picture covers: columns x0 .. x1 - 1, rows y0 .. y1 - 1.
    int x0, x1, y0, y1;
};

// The fit-and-centre rule on canvases of every slot size, and where the picture lands:
// edges are rounded half to even, so 10.67 .. 629.33 covers columns 11 .. 628.
const Placement kPlacements[] = {
    {640, 480, 320, 240, 320, 240, 0, 0, 0, 320, 0, 240},
    {300, 400, 320, 240, 180, 240, 70, 0, 70, 250, 0, 240},
    {300, 400, 640, 464, 348, 464, 146, 0, 146, 494, 0, 464},
    {100, 50, 320, 240, 320, 160, 0, 40, 0, 320, 40, 200},
    {640, 480, 640, 464, 618.6667f, 464, 10.66667f, 0, 11, 629, 0, 464},
    {640, 480, 640, 480, 640, 480, 0, 0, 0, 640, 0, 480},
    {32, 24, 640, 480, 640, 480, 0, 0, 0, 640, 0, 480},
    {1, 1, 320, 240, 240, 240, 40, 0, 40, 280, 0, 240},
    {4000, 3000, 640, 464, 618.6667f, 464, 10.66667f, 0, 11, 629, 0, 464},
};

TEST(PlaceFittedRule, FitsCentresAndDrawsTheWorkedExamples)
{
    for (const Placement &p : kPlacements) {
        SCOPED_TRACE(::testing::Message()
                     << p.pictureW << "x" << p.pictureH << " on " << p.canvasW << "x" << p.canvasH);
        SharedState vars;
        Surface measure(25, 25);
        measure.setAutoSize(true);
        PictureHolder holder(25, 25);
        Surface canvas(p.canvasW, p.canvasH, kWhite, kBlack);
        const QImage picture = pixels::plainPicture(p.pictureW, p.pictureH, kRed);
        measure.setPicture(picture);
        PlaceFitted(picture, canvas, PlacementTools{measure, holder}, vars);

        EXPECT_FLOAT_EQ(vars.placeSrcW, float(p.pictureW));
        EXPECT_FLOAT_EQ(vars.placeSrcH, float(p.pictureH));
        EXPECT_FLOAT_EQ(vars.placeDstW, float(p.canvasW));
        EXPECT_FLOAT_EQ(vars.placeDstH, float(p.canvasH));
        EXPECT_NEAR(holder.width(), p.fittedW, 1e-3);
        EXPECT_NEAR(holder.height(), p.fittedH, 1e-3);
        EXPECT_NEAR(vars.placeLeft, p.left, 1e-3);
        EXPECT_NEAR(vars.placeTop, p.top, 1e-3);
        EXPECT_EQ(holder.picture().size(), picture.size());
        EXPECT_TRUE(pixels::matches(canvas, [&](int x, int y) {
            return x >= p.x0 && x < p.x1 && y >= p.y0 && y < p.y1 ? kRed : kWhite;
        }));
    }
}

TEST(PlaceFittedRule, FloatingPointFaultsAreCommandErrors)
{
    SharedState vars;
    Surface measure(25, 25);
    measure.setAutoSize(true);
    PictureHolder holder(25, 25);
    Surface flat(320, 0);
    const QImage picture = pixels::plainPicture(10, 10, kRed);
    measure.setPicture(picture);
    EXPECT_THROW(PlaceFitted(picture, flat, PlacementTools{measure, holder}, vars), CommandError);
}

TEST_F(Loading, FourByThreeFillsSlot1ButNotSlot2sLargeCanvas)
{
    const QImage picture = pixels::plainPicture(640, 480, kRed);
    const QString path = pictureFile(picture, "wide.bmp");
    load(0, path);
    EXPECT_TRUE(pixels::matches(surfaces().Picture9[0], [](int, int) { return kRed; }));
    EXPECT_TRUE(pixels::matches(surfaces().Picture8[0], [](int, int) { return kRed; }));
    load(1, path);
    // The last placement was the large canvas of slot 2.
    EXPECT_NEAR(vars().placeLeft, 10.6667, 1e-3);
    EXPECT_FLOAT_EQ(vars().placeTop, 0);
    EXPECT_NEAR(surfaces().Image6.width(), 618.6667, 1e-3);
    EXPECT_FLOAT_EQ(surfaces().Image6.height(), 464);
    EXPECT_TRUE(pixels::matches(surfaces().Picture9[1],
                                [](int x, int) { return x >= 11 && x < 629 ? kRed : kWhite; }));
    EXPECT_TRUE(pixels::matches(surfaces().Picture8[1], [](int, int) { return kRed; }));
}

TEST_F(Loading, WideAndTallPicturesGetEqualWhiteBands)
{
    load(0, pictureFile(pixels::plainPicture(100, 50, kRed), "wide.bmp"));
    EXPECT_TRUE(pixels::matches(surfaces().Picture8[0],
                                [](int, int y) { return y >= 40 && y < 200 ? kRed : kWhite; }));
    // A tall picture after the wide one: nothing of the wide one remains.
    load(0, pictureFile(pixels::plainPicture(300, 400, kRed), "tall.bmp"));
    EXPECT_TRUE(pixels::matches(surfaces().Picture8[0],
                                [](int x, int) { return x >= 70 && x < 250 ? kRed : kWhite; }));
    EXPECT_TRUE(pixels::matches(surfaces().Picture9[0], [](int x, int) {
        return x >= 140 && x < 500 ? kRed : kWhite; // 360 x 480 at 140, 0
    }));
    EXPECT_TRUE(pixels::sameImage(surfaces().Image4.picture(), surfaces().Picture8[0].image()));
}

TEST_F(Loading, AllFormatsLoadAndEnlargedPicturesStaySmooth)
{
    // A horizontal ramp enlarged 4 times keeps rising without steps of more than one
    // source step: smooth resampling, not blocks.
    QImage ramp(80, 60, QImage::Format_RGB32);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            ramp.setPixel(x, y, qRgb(x * 3, 100, 255 - x * 3));
    for (const char *format : {"BMP", "GIF", "JPG"}) {
        SCOPED_TRACE(format);
        const QString path = temp.filePath(QStringLiteral("ramp.") + QString(format).toLower());
        ASSERT_TRUE(std::string(format) == "GIF" ? writeGif(ramp, path) : ramp.save(path, format));
        load(0, path);
        const Surface &large = surfaces().Picture9[0];
        EXPECT_EQ(surfaces().Picture7.width(), 80);
        EXPECT_EQ(surfaces().Picture7.height(), 60);
        int previous = -1;
        int distinct = 0;
        for (int x = 8; x < 632; ++x) {
            const int red = int(large.point(x, 240) & 0xFF);
            EXPECT_GE(red + 8, previous) << "x=" << x;
            distinct += red != previous;
            previous = red;
        }
        if (std::string(format) == "BMP") {
            EXPECT_GT(distinct, 150); // more levels than the 80 source columns
        }
    }
}

// A large photograph is decoded at a reduced scale, yet measured, fitted and drawn as the
// whole picture would be.
TEST_F(Loading, LargePhotographIsPlacedAsTheWholePicture)
{
    QImage photo(2880, 2160, QImage::Format_RGB32);
    for (int y = 0; y < 2160; ++y)
        for (int x = 0; x < 2880; ++x)
            photo.setPixel(x, y,
                           qRgb(x * 255 / 2880, y * 255 / 2160, ((x / 97 + y / 89) % 2) * 200));
    const QString path = writePicture(photo, "photo.jpg", "JPG");
    load(1, path);
    const MainSurfaces &s = surfaces();
    EXPECT_EQ(s.Picture7.width(), 2880);
    EXPECT_EQ(s.Picture7.height(), 2160);
    EXPECT_FLOAT_EQ(vars().placeSrcW, 2880);
    EXPECT_NEAR(s.Image6.width(), 618.6667, 1e-3);
    EXPECT_NEAR(vars().placeLeft, 10.6667, 1e-3);

    // Against the whole picture placed on the same canvases.
    const QImage whole = QImage(path).convertToFormat(QImage::Format_RGB32);
    for (int canvas : {8, 9}) {
        SCOPED_TRACE(canvas);
        const Surface &placed = canvas == 8 ? s.Picture8[1] : s.Picture9[1];
        Surface reference(placed.width(), placed.height());
        Surface measure(25, 25);
        measure.setAutoSize(true);
        measure.setPicture(whole);
        PictureHolder holder(25, 25);
        SharedState scratch;
        PlaceFitted(whole, reference, PlacementTools{measure, holder}, scratch);
        long long total = 0;
        for (int y = 0; y < placed.height(); ++y)
            for (int x = 0; x < placed.width(); ++x) {
                const Colour a = placed.point(x, y), b = reference.point(x, y);
                total += std::abs(int(a & 0xFF) - int(b & 0xFF)) +
                         std::abs(int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF));
            }
        EXPECT_LT(double(total) / (placed.width() * placed.height()), 3.0);
    }
    // Slot 2's large canvas gets the same white bands.
    EXPECT_EQ(s.Picture9[1].point(10, 100), kWhite);
    EXPECT_NE(s.Picture9[1].point(11, 100), kWhite);
    EXPECT_NE(s.Picture9[1].point(628, 100), kWhite);
    EXPECT_EQ(s.Picture9[1].point(629, 100), kWhite);
}

TEST_F(Loading, OneSlotNeverChangesTheOther)
{
    load(0, pictureFile(pixels::randomPicture(320, 240, 62), "a.bmp"));
    load(1, pictureFile(pixels::randomPicture(400, 300, 63), "b.bmp"));
    window().Command1_Click(2); // compose, which writes both stripe surfaces
    const QImage composed = surfaces().Picture3.image();
    const QImage composedLarge = surfaces().Picture11.image();

    const SlotSnapshot slot1 = snapshot(0);
    load(1, pictureFile(pixels::randomPicture(200, 500, 64), "c.bmp"));
    expectUnchanged(slot1, 0);

    const SlotSnapshot slot2 = snapshot(1);
    load(0, pictureFile(pixels::randomPicture(500, 200, 65), "d.bmp"));
    expectUnchanged(slot2, 1);

    // Loading does not rebuild the composed pictures.
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture3.image(), composed));
    EXPECT_TRUE(pixels::sameImage(surfaces().Picture11.image(), composedLarge));
}

TEST_F(Loading, LoadingRedrawsOnlyItsOwnStripeMask)
{
    load(0, pictureFile(pixels::randomPicture(320, 240, 66), "a.bmp"));
    load(1, pictureFile(pixels::randomPicture(320, 240, 67), "b.bmp"));
    window().Command1_Click(2);
    load(0, pictureFile(pixels::randomPicture(320, 240, 68), "c.bmp"));
    // Mask A is plain stripes again; mask B still holds picture 2 from the composition.
    EXPECT_TRUE(pixels::matches(surfaces().Picture1,
                                [](int x, int) { return (x / 2) % 2 == 0 ? kBlack : kWhite; }));
    EXPECT_TRUE(pixels::matches(surfaces().Picture10[0],
                                [](int x, int) { return (x / 2) % 2 == 0 ? kBlack : kWhite; }));
    EXPECT_NE(surfaces().Picture2.point(2, 0), kBlack);
}

TEST_F(Loading, CancelledDialogChangesNothingButTheButtons)
{
    load(0, pictureFile(pixels::randomPicture(320, 240, 69), "a.bmp"));
    window().Command1_Click(2);
    const SlotSnapshot slot1 = snapshot(0);
    const SlotSnapshot slot2 = snapshot(1);
    const QImage composed = surfaces().Picture3.image();
    window().Command2_Click();
    ASSERT_TRUE(window().Command2->isHidden());

    for (int slot : {0, 1}) {
        SCOPED_TRACE(slot);
        dialogs.answer(std::nullopt);
        window().Command1_Click(slot);
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
    load(0, pictureFile(pixels::randomPicture(320, 240, 70), "a.bmp"));
    load(1, pictureFile(pixels::randomPicture(320, 240, 71), "b.bmp"));
    window().Command1_Click(2);
    const SlotSnapshot slot2 = snapshot(1);

    const QString broken = temp.filePath("broken.jpg");
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xD8\xFF not really a JPEG");
    }
    for (const QString &path : {broken, temp.filePath("missing.gif")}) {
        SCOPED_TRACE(path.toStdString());
        load(0, pictureFile(pixels::randomPicture(320, 240, 72), "a2.bmp"));
        EXPECT_NO_THROW(load(0, path));
        const MainSurfaces &s = surfaces();
        EXPECT_TRUE(pixels::matches(s.Picture1,
                                    [](int x, int) { return (x / 2) % 2 == 0 ? kBlack : kWhite; }));
        EXPECT_TRUE(pixels::matches(s.Picture10[0],
                                    [](int x, int) { return (x / 2) % 2 == 0 ? kBlack : kWhite; }));
        EXPECT_TRUE(pixels::matches(s.Picture8[0], [](int, int) { return kWhite; }));
        EXPECT_TRUE(pixels::matches(s.Picture9[0], [](int, int) { return kWhite; }));
        EXPECT_TRUE(s.Image4.picture().isNull());
        EXPECT_TRUE(pixels::matches(s.Picture7, [&](int, int) { return s.Picture7.backColor(); }));
        expectUnchanged(slot2, 1);
    }
}

// The editor hands its picture over by the same road as a file.
TEST_F(Loading, FillSlotMatchesLoadingTheSamePictureFromAFile)
{
    const QImage picture = pixels::randomPicture(640, 480, 73);
    load(1, pictureFile(picture, "e.bmp"));
    const SlotSnapshot fromFile = snapshot(1);
    load(1, pictureFile(pixels::randomPicture(100, 100, 74), "other.bmp"));
    window().FillSlot(1, picture);
    expectUnchanged(fromFile, 1);
}

} // namespace
