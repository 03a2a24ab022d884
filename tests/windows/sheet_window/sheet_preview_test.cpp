#include "frames/frames_rule.h"
#include "platform/interval_timer.h"
#include "sheet/sheet_geometry.h"
#include "sheet/sheet_preview.h"
#include "sheet/sheet_render.h"
#include "sheet_window/sheet_window.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

// The page preview of the print-sheet window: the pages as the PDF draws them, at the
// preview's scale, following the choices, or the reason there is no sheet.
namespace
{

std::vector<sheet::FramePicture> redAndBlue()
{
    std::vector<sheet::FramePicture> frames;
    for (QColor colour : {QColor(Qt::red), QColor(Qt::blue)}) {
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(colour);
        frames.push_back({picture, QSize()});
    }
    return frames;
}

// At one pixel to a dot the preview's picture is the composition itself; a pixel covering
// a whole period is the mean of the frames.
TEST(SheetPreviewPicture, IsTheCompositionAveragedOverEachPixel)
{
    sheet::SheetGeometry g;
    g.frameCount = 3;
    g.slitDots = 2;
    g.canvasDots = QSize(12, 4);
    std::vector<QImage> fitted;
    for (int seed : {1, 2, 3})
        fitted.push_back(pixels::randomPicture(12, 4, seed));
    EXPECT_TRUE(
        pixels::sameImage(sheet::previewPicture(fitted, g), frames::ComposeFrames(fitted, 2)));

    // Two pixels of six dots: each one whole period of red, green and blue.
    std::vector<QImage> plain;
    for (Colour c : {rgb(240, 0, 0), rgb(0, 120, 0), rgb(0, 0, 30)})
        plain.push_back(pixels::plainPicture(2, 1, c));
    g.canvasDots = QSize(12, 1);
    const QImage mean = sheet::previewPicture(plain, g);
    EXPECT_EQ(mean.pixel(0, 0), qRgb(80, 40, 10));
    EXPECT_EQ(mean.pixel(1, 0), qRgb(80, 40, 10));
}

class SheetPreviewTest : public ProgramFixture
{
  protected:
    // Draws the preview as the window's clock would, a moment after the last change.
    static void settle(SheetWindow &w)
    {
        QApplication::processEvents();
        auto &timer = dynamic_cast<ManualTimer &>(w.previewTimer());
        EXPECT_TRUE(timer.advance()) << "a change asks for the preview to be drawn";
        EXPECT_FALSE(timer.advance()) << "drawn once";
    }
};

TEST_F(SheetPreviewTest, ShowsBothPagesWithTheStripesAndBarsWhereThePdfHasThem)
{
    SheetWindow w(*platform, redAndBlue(), QSize(300, 200));
    w.show();
    w.slitMm->setValue(3);
    w.dpiChoice->setCurrentIndex(w.dpiChoice->findData(300));
    settle(w);
    const QImage upright = w.pagePreview->pages();
    ASSERT_FALSE(upright.isNull());
    EXPECT_TRUE(w.pagePreview->message().isEmpty());
    EXPECT_LE(upright.width(), w.pagePreview->width());
    EXPECT_LE(upright.height(), w.pagePreview->height());

    const sheet::SheetGeometry g = sheet::layOutSheet(w.choices(), 2, QSize(300, 200));
    const double scale = sheet::previewScale(g, w.pagePreview->size() - QSize(16, 16));
    const QRect first = sheet::previewPageRect(g, scale, 1);
    const QRect second = sheet::previewPageRect(g, scale, 2);
    EXPECT_GT(first.height(), first.width()) << "A4 upright";
    EXPECT_EQ(second.size(), first.size());
    EXPECT_GT(second.left(), first.right() + 1) << "a gap between the pages";
    EXPECT_EQ(qAlpha(upright.pixel(first.right() + 2, first.height() / 2)), 0);
    // The paper's corner is white; the middle of the picture's first stripe is red (frame
    // 0), of the second blue.
    EXPECT_EQ(upright.pixel(first.left() + 1, first.top() + 1), qRgb(255, 255, 255));
    const auto onPage = [&](const QRect &page, double xDots, double yDots) {
        return QPoint(page.left() + int(xDots * scale), page.top() + int(yDots * scale));
    };
    const QRect area = g.pictureDots();
    const double middle = area.center().y();
    const QRgb stripe0 = upright.pixel(onPage(first, area.x() + g.slitDots * 0.5, middle));
    const QRgb stripe1 = upright.pixel(onPage(first, area.x() + g.slitDots * 1.5, middle));
    EXPECT_GT(qRed(stripe0), 200);
    EXPECT_LT(qBlue(stripe0), 60);
    EXPECT_GT(qBlue(stripe1), 200);
    EXPECT_LT(qRed(stripe1), 60);
    // Page 2: the first bar dark, the slit before it light, as the lattice has them.
    const QRect lattice = g.latticeDots();
    const auto [barStart, barEnd] = sheet::latticeBars(g).front();
    const QRgb bar = upright.pixel(
        onPage(second, lattice.x() + (barStart + barEnd) / 2.0, lattice.center().y()));
    const QRgb slit =
        upright.pixel(onPage(second, lattice.x() + barStart / 2.0, lattice.center().y()));
    EXPECT_LT(qGray(bar), 64);
    EXPECT_GT(qGray(slit), 192);

    // Landscape: pages wider than tall, and a new drawing.
    w.landscapeChoice->click();
    settle(w);
    const sheet::SheetGeometry across = sheet::layOutSheet(w.choices(), 2, QSize(300, 200));
    const QRect turned = sheet::previewPageRect(
        across, sheet::previewScale(across, w.pagePreview->size() - QSize(16, 16)), 1);
    EXPECT_GT(turned.width(), turned.height());
    EXPECT_EQ(w.pagePreview->pages().size().height(), turned.height());
    EXPECT_GT(w.pagePreview->pages().width(), upright.width());
}

TEST_F(SheetPreviewTest, FollowsTheChoicesAndShowsTheRefusalInPlaceOfThePages)
{
    SheetWindow w(*platform, redAndBlue(), QSize(300, 200));
    w.show();
    settle(w);
    QImage before = w.pagePreview->pages();
    // Each choice draws the pages anew, and differently.
    const std::function<void()> changes[] = {
        [&] { w.paperChoice[1]->click(); },
        [&] { w.slitMm->setValue(2.5); },
        [&] { w.dpiChoice->setCurrentIndex(w.dpiChoice->findData(1200)); },
        [&] {
            w.largestWidthCheck->click();
            w.widthMm->setValue(60);
        },
    };
    for (const auto &change : changes) {
        change();
        settle(w);
        const QImage after = w.pagePreview->pages();
        ASSERT_FALSE(after.isNull());
        EXPECT_NE(after, before);
        before = after;
    }
    // Too wide for the paper: the reason the figures give, and no pages.
    w.widthMm->setValue(400);
    settle(w);
    EXPECT_TRUE(w.pagePreview->pages().isNull());
    EXPECT_FALSE(w.pagePreview->message().isEmpty());
    EXPECT_EQ(w.pagePreview->message(), w.refusalLabel->text());
    w.widthMm->setValue(100);
    settle(w);
    EXPECT_FALSE(w.pagePreview->pages().isNull());
    EXPECT_TRUE(w.pagePreview->message().isEmpty());
}

// The preview is drawn at its own scale: even a sheet of A0 at 1200 dpi (a picture of over
// 40000 dots across) is drawn in a moment.
TEST_F(SheetPreviewTest, DrawsALargeSheetWithoutComposingItAtThePrintersDots)
{
    SheetWindow w(*platform, redAndBlue(), QSize(300, 200));
    w.show();
    w.paperChoice[6]->click();
    w.dpiChoice->setCurrentIndex(w.dpiChoice->findData(1200));
    QElapsedTimer stopwatch;
    stopwatch.start();
    settle(w);
    EXPECT_LT(stopwatch.elapsed(), 1000);
    EXPECT_FALSE(w.pagePreview->pages().isNull());
}

} // namespace
