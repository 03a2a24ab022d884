#include "frames/frames_rule.h"
#include "frames_window/frames_window.h"
#include "printing/pdf_tools.h"
#include "sheet/sheet_geometry.h"
#include "sheet_window/sheet_window.h"
#include "support/animation_reading.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace
{

constexpr Colour kRed = rgb(220, 0, 0);
constexpr Colour kGreen = rgb(0, 160, 0);
constexpr Colour kBlue = rgb(0, 0, 200);

class FramesOutputTest : public ProgramFixture
{
  protected:
    // The window with three plain frames composed on a canvas of the given size.
    FramesWindow &composed(QSize canvas, int slit = 2)
    {
        window().mnuframes_Click();
        QApplication::processEvents();
        FramesWindow &w = *window().framesWindow();
        w.AddSlot_Click();
        int i = 0;
        for (Colour c : {kRed, kGreen, kBlue}) {
            dialogs.answer(
                writePicture(pixels::plainPicture(40, 30, c), QStringLiteral("f%1.bmp").arg(i)));
            w.SlotLoad_Click(i++);
        }
        w.SizeOption[2]->click();
        w.CanvasWidth->setValue(canvas.width());
        w.CanvasHeight->setValue(canvas.height());
        w.SlitWidth->setValue(slit);
        w.Compose_Click();
        EXPECT_TRUE(w.animation().isComposed());
        return w;
    }
    QStringList savedFiles()
    {
        return QDir(temp.path() + QStringLiteral("/out"))
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
};

// The picture goes under the chosen name and its lattice beside it, in the format the name
// says; a name that says neither PNG nor BMP becomes a bitmap.
TEST_F(FramesOutputTest, SaveWritesThePictureAndItsLatticeBesideIt)
{
    FramesWindow &w = composed(QSize(100, 60), 3);
    ASSERT_TRUE(QDir(temp.path()).mkdir(QStringLiteral("out")));
    const QString out = temp.path() + QStringLiteral("/out/");
    const struct {
        const char *chosen, *picture, *lattice, *format;
    } cases[] = {{"walk.png", "walk.png", "walk_格子.png", "png"},
                 {"run.BMP", "run.BMP", "run_格子.BMP", "bmp"},
                 {"jump", "jump.bmp", "jump_格子.bmp", "bmp"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.chosen);
        dialogs.answer(out + QString::fromUtf8(c.chosen));
        w.Save_Click();
        QImage picture(out + QString::fromUtf8(c.picture), c.format);
        QImage lattice(out + QString::fromUtf8(c.lattice), c.format);
        EXPECT_TRUE(pixels::sameImage(picture, w.animation().composed()));
        EXPECT_EQ(lattice.size(), QSize(100 + 3 * 3, 60));
        EXPECT_TRUE(pixels::sameImage(lattice, w.animation().lattice()));
    }
    EXPECT_EQ(savedFiles().size(), 6);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// A folder that is not there, or a lattice name taken by a folder: nothing is left written,
// and the user is told which file failed.
TEST_F(FramesOutputTest, AFailedSaveLeavesNothingAndSaysSo)
{
    FramesWindow &w = composed(QSize(64, 48));
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("out/walk_格子.png")));
    const QString missing = temp.path() + QStringLiteral("/nowhere/walk.png");
    const QString blocked = temp.path() + QStringLiteral("/out/walk.png");
    for (const QString &chosen : {missing, blocked}) {
        SCOPED_TRACE(chosen.toStdString());
        messages.shown.clear();
        dialogs.answer(chosen);
        w.Save_Click();
        EXPECT_FALSE(QFile::exists(chosen));
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("保存できませんでした")));
    }
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("walk_格子.png")));
    EXPECT_EQ(savedFiles(), QStringList{QStringLiteral("walk_格子.png")});
    // A cancelled dialog writes nothing and says nothing.
    messages.shown.clear();
    w.Save_Click();
    EXPECT_TRUE(messages.shown.isEmpty());
}

// Saved over an earlier pair whose lattice cannot be replaced (a folder took its name), the
// old picture stays byte for byte: the pair is written whole or not at all.
TEST_F(FramesOutputTest, AFailedLatticeLeavesTheOldPictureAsItWas)
{
    FramesWindow &w = composed(QSize(64, 48));
    ASSERT_TRUE(QDir(temp.path()).mkpath(QStringLiteral("out/walk_格子.png")));
    const QString picture = temp.path() + QStringLiteral("/out/walk.png");
    ASSERT_TRUE(
        QFile::copy(writePicture(pixels::randomPicture(64, 48, 5), "old.png", "PNG"), picture));
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray old = file.readAll();
    file.close();
    dialogs.answer(picture);
    w.Save_Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("walk_格子.png")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(savedFiles(),
              (QStringList{QStringLiteral("walk.png"), QStringLiteral("walk_格子.png")}));
}

// A damaged file offered to a slot is refused, and the user is told which slot it was.
TEST_F(FramesOutputTest, ADamagedPictureIsRefusedNamingItsSlot)
{
    FramesWindow &w = composed(QSize(64, 48));
    const QImage before = w.frameSlots().frames()[1].picture;
    QFile whole(writePicture(pixels::randomPicture(200, 150, 6), "whole.png", "PNG"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    QFile cut(temp.filePath(QStringLiteral("cut.png")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() / 2));
    cut.close();
    dialogs.answer(cut.fileName());
    w.SlotLoad_Click(1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("コマ2 の絵は壊れている")))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(pixels::sameImage(w.frameSlots().frames()[1].picture, before));
}

// The preview cycle as a lossless WebP: N w frames equal to the preview at each offset.
TEST_F(FramesOutputTest, SavesThePreviewCycleAsAnAnimation)
{
    FramesWindow &w = composed(QSize(50, 20), 2);
    const QString path = temp.filePath(QStringLiteral("walk.webp"));
    dialogs.answer(path);
    w.SaveAnimation_Click();
    const animated::Animation saved = animated::readWebP(path);
    ASSERT_EQ(saved.frames.size(), 6u);
    for (int o = 0; o < 6; ++o)
        EXPECT_TRUE(pixels::sameImage(saved.frames[o],
                                      frames::PreviewFrame(w.animation().composed(), 2, 3, o)));
    // A name of another kind writes nothing and says so.
    dialogs.answer(temp.filePath(QStringLiteral("walk.png")));
    w.SaveAnimation_Click();
    EXPECT_FALSE(QFile::exists(temp.filePath(QStringLiteral("walk.png"))));
    ASSERT_EQ(messages.shown.size(), 1);
}

// The print sheet takes the frames of the strip; with fewer than two it is not opened.
TEST_F(FramesOutputTest, OpensThePrintSheetForTheFramesOfTheStrip)
{
    FramesWindow &w = composed(QSize(64, 48));
    w.PrintSheet_Click();
    const auto sheets = QApplication::topLevelWidgets();
    const auto found = std::find_if(sheets.begin(), sheets.end(), [](QWidget *widget) {
        return qobject_cast<SheetWindow *>(widget) && widget->isVisible();
    });
    ASSERT_NE(found, sheets.end());
    EXPECT_TRUE(static_cast<SheetWindow *>(*found)->realPeriodLabel->text().contains(
        QStringLiteral("3 コマ")));
    (*found)->close();

    for (int i : {2, 1, 0})
        w.SlotRemove_Click(i);
    w.PrintSheet_Click();
    EXPECT_EQ(messages.shown.size(), 1);
}

// With 「シルエット」 and 「切り抜き」 on, the sheet's picture is the silhouettes of the covering
// frames, cut at the printer's dots: pure black and white, the dark half of a square frame
// filling the top of a wide canvas from edge to edge.
TEST_F(FramesOutputTest, TheSheetTakesTheFramesPreparedAsTheWindowSays)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    window().mnuframes_Click();
    QApplication::processEvents();
    FramesWindow &w = *window().framesWindow();
    const QImage halves = pixels::pictureOf(
        64, 64, [](int, int y) { return y < 32 ? rgb(30, 30, 30) : rgb(220, 220, 220); });
    dialogs.answer(writePicture(halves, QStringLiteral("halves.bmp")));
    w.SlotLoad_Click(0);
    dialogs.answer(writePicture(pixels::plainPicture(64, 64, rgb(200, 200, 200)),
                                QStringLiteral("light.bmp")));
    w.SlotLoad_Click(1);
    w.SizeOption[2]->click();
    w.CanvasWidth->setValue(200);
    w.CanvasHeight->setValue(100);
    w.Silhouette->setChecked(true);
    w.Cover->setChecked(true);
    w.PrintSheet_Click();
    SheetWindow *sheetWindow = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *found = qobject_cast<SheetWindow *>(widget); found && found->isVisible())
            sheetWindow = found;
    ASSERT_TRUE(sheetWindow);
    sheetWindow->dpiChoice->setCurrentIndex(sheetWindow->dpiChoice->findData(300));
    sheetWindow->largestWidthCheck->click();
    sheetWindow->widthMm->setValue(60);
    const QString pdf = temp.filePath(QStringLiteral("sheet.pdf"));
    dialogs.answer(pdf);
    sheetWindow->saveSheetButton->click();
    ASSERT_TRUE(messages.shown.isEmpty());

    const sheet::SheetGeometry g = sheet::layOutSheet(sheetWindow->choices(), 2, QSize(200, 100));
    const QImage stored = pdf_tools::firstPicture(pdf, temp.path());
    ASSERT_EQ(stored.size(), g.canvasDots);
    const int w0 = g.canvasDots.width(), h = g.canvasDots.height();
    for (int y = 0; y < h; y += 3)
        for (int x = 0; x < w0; x += 3) {
            const QRgb seen = stored.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(seen == 0 || seen == 0xFFFFFF) << "(" << x << ", " << y << ")";
        }
    const int right = w0 - 1 - (w0 - 1) % g.slitDots;
    for (int x : {0, w0 / 2, right}) {
        SCOPED_TRACE(x);
        const bool halvesColumn = frames::FrameOfColumn(x, g.slitDots, 2) == 0;
        EXPECT_EQ(stored.pixel(x, h / 4) & 0xFFFFFF, halvesColumn ? 0u : 0xFFFFFFu);
        EXPECT_EQ(stored.pixel(x, 3 * h / 4) & 0xFFFFFF, 0xFFFFFFu);
    }
    EXPECT_EQ(stored.pixel(0, 0) & 0xFFFFFF, 0u) << "covered to the corner";
}

// Printed at one pixel to 1/96 inch on the paper chosen; a picture larger than the
// printable area is refused with a message before the print dialog.
TEST_F(FramesOutputTest, PrintsAtNaturalSizeOrRefusesBeforeTheDialog)
{
    // A4 leaves 1046 x 718 pixels landscape, B5 895 x 612.
    const struct {
        QSize canvas;
        int slit, paper, orientation;
        bool lattice, prints;
    } cases[] = {
        {QSize(640, 480), 2, 0, 0, false, true},  {QSize(640, 480), 2, 1, 1, false, false},
        {QSize(612, 480), 2, 1, 1, false, true},  {QSize(1046, 718), 1, 0, 0, false, true},
        {QSize(1046, 718), 1, 0, 0, true, false}, {QSize(1047, 480), 1, 0, 0, false, false},
        {QSize(712, 480), 2, 0, 1, true, true},   {QSize(713, 480), 2, 0, 1, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.canvas.width() << " x " << c.canvas.height()
                                          << (c.lattice ? " lattice" : " picture"));
        FramesWindow &w = composed(c.canvas, c.slit);
        w.PaperOption[c.paper]->click();
        w.OrientationOption[c.orientation]->click();
        printer.calls.clear();
        messages.shown.clear();
        c.lattice ? w.PrintLattice_Click() : w.PrintPicture_Click();
        if (!c.prints) {
            EXPECT_TRUE(printer.calls.empty());
            ASSERT_EQ(messages.shown.size(), 1);
            EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("入りきらない")));
            continue;
        }
        EXPECT_TRUE(messages.shown.isEmpty());
        const std::vector<std::string> expected = {
            "showPrinter", c.paper == 0 ? "paper 9" : "paper 13",
            c.orientation == 0 ? "orientation 2" : "orientation 1", "paint", "endDoc"};
        EXPECT_EQ(printer.calls, expected);
        ASSERT_EQ(printer.painted.size(), 1u);
        const auto &page = printer.painted[0];
        EXPECT_EQ(page.x, 0);
        EXPECT_EQ(page.y, 0);
        EXPECT_FALSE(page.width || page.height);
        EXPECT_TRUE(pixels::sameImage(page.picture, c.lattice ? w.animation().lattice()
                                                              : w.animation().composed()));
    }
}

TEST_F(FramesOutputTest, AFailingPrinterIsReportedAndACancelIsNot)
{
    FramesWindow &w = composed(QSize(320, 240));
    printer.cancelDialog = true;
    w.PrintPicture_Click();
    EXPECT_TRUE(messages.shown.isEmpty());
    printer.cancelDialog = false;
    printer.failAt = "paint";
    w.PrintPicture_Click();
    EXPECT_EQ(printer.calls.back(), "abortDoc");
    EXPECT_EQ(printer.pagesOut, 0);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("印刷できませんでした。"));
}

// 「絵１・絵２を使う」 takes picture 1 from its file and picture 2 as the editor handed it over.
TEST_F(FramesOutputTest, UsesPicture1AndPicture2OfTheMainWindow)
{
    const QString file = writePicture(pixels::plainPicture(80, 60, kRed), QStringLiteral("p1.bmp"));
    dialogs.answer(file);
    window().Command1_Click(0);
    const QImage handed = pixels::plainPicture(640, 480, kGreen);
    window().FillSlot(1, handed);
    EXPECT_EQ(state.sources[0].path, file);
    EXPECT_TRUE(pixels::sameImage(state.sources[1].picture, handed));

    window().mnuframes_Click();
    FramesWindow &w = *window().framesWindow();
    w.UseMainPictures_Click();
    EXPECT_EQ(w.frameSlots().slot(0).path, file);
    EXPECT_TRUE(w.frameSlots().slot(1).path.isEmpty());
    w.Compose_Click();
    EXPECT_TRUE(pixels::matches(w.PreviewSurface,
                                [](int x, int) { return (x / 2) % 2 == 0 ? kRed : kGreen; }));

    // A failed load empties the main window's slot, and its record with it.
    dialogs.answer(temp.filePath(QStringLiteral("missing.bmp")));
    window().Command1_Click(0);
    EXPECT_TRUE(state.sources[0].isEmpty());
}

} // namespace
