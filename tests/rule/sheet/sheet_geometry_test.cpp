#include "sheet/sheet_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

using namespace sheet;

TEST(SheetGeometry, SlitBecomesWholeDotsAndThePeriodFollows)
{
    struct Case {
        double mm;
        int dpi, dots;
        const char *realMm;
    };
    for (const Case &c :
         {Case{1.0, 600, 24, "1.02"}, Case{1.0, 300, 12, "1.02"}, Case{0.2, 300, 2, "0.17"},
          Case{0.2, 1200, 9, "0.19"}, Case{3.0, 1200, 142, "3.01"}, Case{0.3, 600, 7, "0.30"},
          Case{0.05, 300, 1, "0.08"}}) {
        SCOPED_TRACE(testing::Message() << c.mm << " mm at " << c.dpi << " dpi");
        EXPECT_EQ(slitDots(c.mm, c.dpi), c.dots);
        EXPECT_EQ(mmText(dotsToMm(c.dots, c.dpi)), QString::fromLatin1(c.realMm));
    }
    SheetChoices choices;
    choices.dpi = 600;
    const SheetGeometry g = layOutSheet(choices, 3, QSize(640, 480));
    EXPECT_EQ(g.slitDots, 24);
    EXPECT_EQ(g.periodDots, 72);
    EXPECT_EQ(mmText(g.periodMm()), QStringLiteral("3.05"));
}

TEST(SheetGeometry, DefaultWidthIsTheLargestThatFitsInsideTheMargins)
{
    struct Case {
        Paper paper;
        bool landscape;
        int frames;
        QSize aspect;
    };
    for (const Case &c :
         {Case{Paper::A4, false, 2, {640, 480}}, Case{Paper::A4, true, 8, {640, 480}},
          Case{Paper::JisB5, false, 3, {480, 640}}, Case{Paper::Letter, true, 5, {1000, 200}}}) {
        for (int dpi : kDpiChoices) {
            SCOPED_TRACE(testing::Message() << int(c.paper) << (c.landscape ? " landscape " : " ")
                                            << c.frames << " frames, " << dpi << " dpi");
            SheetChoices choices{c.paper, c.landscape, 3.0, dpi, std::nullopt};
            const SheetGeometry g = layOutSheet(choices, c.frames, c.aspect);
            const QSizeF paper = paperMm(c.paper, c.landscape);
            // Inside the margins: the picture and one more period across, the picture and the
            // footer down; 0.2 mm more would not fit (the width shown is in whole tenths, the
            // picture in whole dots).
            EXPECT_LE(dotsToMm(g.latticeDots().right() + 1, dpi), paper.width() - kMarginMm + 0.05);
            EXPECT_GE(dotsToMm(g.originDots.x(), dpi), kMarginMm - 0.05);
            EXPECT_LE(g.heightMm() + kFooterMm, paper.height() - 2 * kMarginMm + 1e-9);
            EXPECT_EQ(g.canvasDots.height(),
                      qRound(double(g.canvasDots.width()) * c.aspect.height() / c.aspect.width()));
            choices.widthMm = largestWidthMm(choices, c.frames, c.aspect) + 0.2;
            EXPECT_THROW(layOutSheet(choices, c.frames, c.aspect), SheetRefused);
        }
    }
}

TEST(SheetGeometry, RefusesWhatCannotBeMade)
{
    SheetChoices tooWide;
    tooWide.widthMm = 200;
    SheetChoices slit;
    slit.slitMm = 3.1;
    SheetChoices narrow;
    narrow.widthMm = 5;
    SheetChoices notANumber;
    notANumber.slitMm = std::nan("");
    // Papers of one's own: 50 to 2000 mm each way, and room for the 100 mm scale bar.
    SheetChoices tiny{Paper::Custom, false, 1.0, 600, 20.0};
    tiny.customMm = QSizeF(49.9, 300);
    SheetChoices huge = tiny;
    huge.customMm = QSizeF(300, 2000.1);
    SheetChoices noBar = tiny;
    noBar.customMm = QSizeF(300, 110);
    noBar.landscape = true;
    for (const auto &[choices, frames] :
         {std::pair{tooWide, 2}, std::pair{slit, 2}, std::pair{narrow, 2}, std::pair{notANumber, 2},
          std::pair{SheetChoices{}, 9}, std::pair{tiny, 2}, std::pair{huge, 2},
          std::pair{noBar, 2}}) {
        try {
            layOutSheet(choices, frames, QSize(640, 480));
            ADD_FAILURE() << "laid out";
        } catch (const SheetRefused &refused) {
            EXPECT_FALSE(refused.message().isEmpty());
        }
    }
    try {
        layOutSheet(tooWide, 2, QSize(640, 480));
    } catch (const SheetRefused &refused) {
        EXPECT_TRUE(refused.message().startsWith(QStringLiteral("絵が紙に入りません。")));
        EXPECT_TRUE(refused.message().contains(QStringLiteral("167.9 mm")))
            << refused.message().toStdString();
    }
}

} // namespace
