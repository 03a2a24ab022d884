#include "frames/frames_rule.h"
#include "frames_window/frames_window.h"
#include "platform/interval_timer.h"
#include "printing/pdf_tools.h"
#include "shapes/disc_rule.h"
#include "shapes/lamp_layout.h"
#include "sheet/shape_sheet_preview.h"
#include "sheet/sheet_preview.h"
#include "sheet_window/sheet_window.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QFile>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

// The print-sheet window opened from the frames window makes the sheet of the shape chosen
// there: the disc's pages in its PDF and its preview, a lamp's figures, and the refusal of a
// lamp the paper cannot hold.
namespace
{

constexpr Colour kColours[] = {rgb(220, 0, 0), rgb(0, 160, 0), rgb(0, 0, 200)};

class SheetShapeTest : public ProgramFixture
{
  protected:
    // Three plain 40 x 30 frames in the frames window, `shape` chosen, its sheet window open.
    SheetWindow &sheetFor(int shape, int periods = 24)
    {
        window().mnuframes_Click();
        QApplication::processEvents();
        FramesWindow &w = *window().framesWindow();
        w.AddSlot_Click();
        for (int i = 0; i < 3; ++i) {
            dialogs.answer(writePicture(pixels::plainPicture(40, 30, kColours[i]),
                                        QStringLiteral("f%1.bmp").arg(i)));
            w.SlotLoad_Click(i);
        }
        w.SizeOption[2]->click();
        w.CanvasWidth->setValue(160);
        w.CanvasHeight->setValue(120);
        w.ShapeOption[shape]->click();
        w.PeriodsBox->setValue(periods);
        w.OuterDiameterBox->setValue(50);
        w.InnerDiameterBox->setValue(40);
        frames = &w;
        w.PrintSheet_Click();
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<SheetWindow *>(widget); found && found->isVisible())
                return *found;
        ADD_FAILURE() << "no sheet window";
        throw std::runtime_error("no sheet window");
    }
    // Draws the preview as the window's clock would.
    static void settle(SheetWindow &w)
    {
        QApplication::processEvents();
        auto &timer = dynamic_cast<ManualTimer &>(w.previewTimer());
        while (timer.advance()) {
        }
    }
    FramesWindow *frames = nullptr;
};

// The point `fraction` of the radius out from the disc's centre at `degrees` clockwise from
// 12 o'clock, in dots of the page.
QPointF onDisc(const sheet::DiscSheetGeometry &g, double fraction, double degrees)
{
    const double a = degrees * std::numbers::pi / 180, r = fraction * g.radiusDots();
    return g.centreDots() + QPointF(r * std::sin(a), -r * std::cos(a));
}

// With 円盤 chosen the saved PDF holds the picture disc of the disc rule, dot for dot, and the
// preview shows both discs: the frame of each sector on page 1, clear slits and black bars
// on page 2, white paper round the picture disc.
TEST_F(SheetShapeTest, TheDiscChosenInTheFramesWindowIsSavedAndPreviewed)
{
    if (!pdf_tools::missingTool().isEmpty())
        GTEST_SKIP() << "poppler-utils missing";
    SheetWindow &w = sheetFor(ShapeControls::kDisc, 6);
    w.dpiChoice->setCurrentIndex(w.dpiChoice->findData(300));
    w.largestWidthCheck->click();
    w.widthMm->setValue(60);
    EXPECT_EQ(w.pictureSizeLabel->text(), QStringLiteral("直径 60.0 mm"));
    EXPECT_TRUE(w.realPeriodLabel->text().contains(QStringLiteral("周期 6")));

    const QString pdf = temp.filePath(QStringLiteral("disc.pdf"));
    dialogs.answer(pdf);
    w.saveSheetButton->click();
    ASSERT_TRUE(messages.shown.isEmpty());
    const sheet::ShapeChoices shape{sheet::SheetShape::Disc, 6, 0, 0, {}};
    const auto g = std::get<sheet::DiscSheetGeometry>(
        sheet::layOutShapeSheet(w.choices(), shape, 3, QSize(160, 120)));
    ASSERT_EQ(g.diameterDots, 709);
    const QSize canvas(g.diameterDots, g.diameterDots);
    std::vector<QImage> fitted;
    for (const Colour c : kColours)
        fitted.push_back(frames::FitFrame(pixels::plainPicture(40, 30, c), QSize(), canvas));
    QImage want = shapes::ComposeDisc(fitted, 6);
    sheet::clearOutsideDisc(want);
    EXPECT_TRUE(pixels::sameImage(pdf_tools::firstPicture(pdf, temp.path()), want));

    settle(w);
    const QImage pages = w.pagePreview->pages().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(pages.isNull());
    EXPECT_TRUE(w.pagePreview->message().isEmpty());
    const double scale =
        sheet::shapePreviewScale(sheet::ShapeSheet(g), w.pagePreview->size() - QSize(16, 16));
    const QSizeF paper = sheet::shapePaperDots(g);
    const auto seen = [&](int page, QPointF dots) {
        const QPoint at =
            (sheet::previewPageRect(paper, scale, page).topLeft() + dots * scale).toPoint();
        return pages.pixel(at) & 0xFFFFFF;
    };
    // Sectors of 20 degrees: the frame of sector s is (-s) mod 3; the lattice is clear
    // where s mod 3 = 0.
    for (const double degrees : {10.0, 30.0, 50.0, 190.0, 230.0}) {
        SCOPED_TRACE(degrees);
        const int sector = int(degrees / 20);
        const Colour frame = kColours[(3 - sector % 3) % 3];
        const QPointF mid = onDisc(g, 0.6, degrees);
        const QRgb got = seen(1, mid);
        const QRgb want = toQRgb(frame);
        EXPECT_LE(std::abs(qRed(got) - qRed(want)) + std::abs(qGreen(got) - qGreen(want)) +
                      std::abs(qBlue(got) - qBlue(want)),
                  24)
            << std::hex << got;
        EXPECT_EQ(seen(2, mid), sector % 3 == 0 ? 0xFFFFFFu : 0u);
    }
    const QPointF corner = g.pictureDots().topLeft() + QPointF(0.05, 0.05) * g.diameterDots;
    EXPECT_EQ(seen(1, corner), 0xFFFFFFu) << "white round the picture disc";
    EXPECT_EQ(seen(2, g.centreDots() + QPointF(0, g.hubDots() * 0.8)), 0u) << "the solid hub";
}

// A lamp shows its strips' figures with the inner diameter its strip really wraps; one too
// long for the paper shows the length it needs in place of the pages and saves nothing.
TEST_F(SheetShapeTest, ALampTooLongForThePaperIsRefusedAndNothingIsSaved)
{
    SheetWindow &w = sheetFor(ShapeControls::kLamp);
    settle(w);
    EXPECT_FALSE(w.pagePreview->pages().isNull());
    const sheet::SheetChoices c = w.choices();
    const shapes::LampLayout lamp = shapes::layOutLamp(3, c.slitMm, c.dpi, 40, 50);
    EXPECT_TRUE(w.realPeriodLabel->text().contains(
        QStringLiteral("実際の内径 %1 mm").arg(lamp.innerDiameterMm, 0, 'f', 1)));
    EXPECT_TRUE(w.realPeriodLabel->text().contains(QStringLiteral("周期 %1").arg(lamp.periods)));
    EXPECT_TRUE(w.pictureSizeLabel->text().contains(
        QStringLiteral("格子の帯 %1 mm").arg(lamp.latticeLengthMm, 0, 'f', 1)));

    // The open window takes the frames window's new measures.
    frames->OuterDiameterBox->setValue(400);
    frames->InnerDiameterBox->setValue(300);
    frames->PrintSheet_Click();
    SheetWindow &again = w;
    settle(again);
    EXPECT_TRUE(again.pagePreview->pages().isNull());
    EXPECT_FALSE(again.refusalLabel->text().isEmpty());
    EXPECT_EQ(again.pagePreview->message(), again.refusalLabel->text());
    const sheet::ShapeChoices shape{sheet::SheetShape::Lamp, 24, 300, 400, {}};
    const auto refused = sheet::shapeSheetRefusal(again.choices(), shape, 3, QSize(160, 120));
    ASSERT_TRUE(refused);
    EXPECT_EQ(again.refusalLabel->text(), refused->message());

    const QString pdf = temp.filePath(QStringLiteral("lamp.pdf"));
    const QString svg = temp.filePath(QStringLiteral("lamp.svg"));
    dialogs.answer(pdf);
    dialogs.answer(svg);
    again.saveSheetButton->click();
    again.saveLatticeButton->click();
    for (const ScriptedFileDialogs::Shown &shown : dialogs.shown())
        EXPECT_NE(shown.kind, ScriptedFileDialogs::Kind::Save) << "refused before any dialog";
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, refused->message());
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(svg));
}

} // namespace
