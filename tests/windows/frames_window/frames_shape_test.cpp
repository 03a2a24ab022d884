#include "frames/frames_rule.h"
#include "frames_window/frames_window.h"
#include "shapes/disc_rule.h"
#include "support/animation_reading.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QApplication>

namespace
{

constexpr Colour kColours[] = {rgb(220, 0, 0), rgb(0, 160, 0), rgb(0, 0, 200)};

class FramesShapeTest : public ProgramFixture
{
  protected:
    // Three plain frames composed flat on a 160 x 120 canvas.
    FramesWindow &composed()
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
        w.Compose_Click();
        EXPECT_TRUE(w.animation().isComposed());
        return w;
    }
    static std::vector<QImage> canvases()
    {
        std::vector<QImage> frames;
        for (const Colour c : kColours)
            frames.push_back(pixels::plainPicture(160, 120, c));
        return frames;
    }
};

// Choosing the disc composes it at once and the clock turns its lattice a quarter slit a
// tick; a new number of periods recomposes without stopping it; the flat sheet comes back
// exactly as it was.
TEST_F(FramesShapeTest, TheDiscTurnsOnTheClockAndTheFlatSheetComesBack)
{
    FramesWindow &w = composed();
    const QImage flat = w.animation().composed();
    const QImage flatLattice = w.animation().lattice();
    EXPECT_FALSE(w.PeriodsBox->isEnabled());
    w.StartPreview_Click();
    ManualTimer &clock = static_cast<ManualTimer &>(w.PreviewTimer());

    w.ShapeOption[ShapeControls::kDisc]->click();
    EXPECT_FALSE(w.SlitWidth->isEnabled());
    EXPECT_TRUE(w.PeriodsBox->isEnabled());
    const QImage disc = shapes::ComposeDisc(canvases(), 24);
    EXPECT_TRUE(pixels::sameImage(w.animation().composed(), disc));
    EXPECT_TRUE(
        pixels::sameImage(w.animation().lattice(), shapes::DiscLattice(QSize(160, 120), 24, 3)));
    EXPECT_EQ(clock.interval(), 100);
    EXPECT_TRUE(
        pixels::sameImage(w.PreviewSurface.image(), shapes::DiscPreviewFrame(disc, 24, 3, 0)));
    for (int tick = 1; tick <= 13; ++tick) {
        ASSERT_TRUE(clock.advance());
        SCOPED_TRACE(::testing::Message() << "tick " << tick);
        EXPECT_EQ(w.animation().offset(), tick % 12);
        EXPECT_TRUE(pixels::sameImage(w.PreviewSurface.image(),
                                      shapes::DiscPreviewFrame(disc, 24, 3, tick % 12)));
    }

    w.PeriodsBox->setValue(6);
    EXPECT_EQ(clock.interval(), 100);
    const QImage six = shapes::ComposeDisc(canvases(), 6);
    EXPECT_TRUE(pixels::sameImage(w.animation().composed(), six));
    clock.advance();
    EXPECT_TRUE(
        pixels::sameImage(w.PreviewSurface.image(), shapes::DiscPreviewFrame(six, 6, 3, 1)));

    w.ShapeOption[ShapeControls::kFlat]->click();
    EXPECT_TRUE(w.SlitWidth->isEnabled());
    EXPECT_TRUE(pixels::sameImage(w.animation().composed(), flat));
    EXPECT_TRUE(pixels::sameImage(w.animation().lattice(), flatLattice));
    clock.advance();
    EXPECT_TRUE(pixels::sameImage(w.PreviewSurface.image(), frames::PreviewFrame(flat, 2, 3, 1)));
    // Periods mean nothing to the flat sheet: it is left as it is.
    w.PeriodsBox->setValue(8);
    EXPECT_EQ(w.animation().offset(), 1);
}

// 「保存」 and 「アニメーションを保存」 write the disc: its picture and lattice as a pair, and one
// cycle of 4N quarter-slit turns.
TEST_F(FramesShapeTest, SavingADiscWritesItsPictureLatticeAndTurns)
{
    FramesWindow &w = composed();
    w.ShapeOption[ShapeControls::kDisc]->click();
    w.PeriodsBox->setValue(5);
    const QImage disc = shapes::ComposeDisc(canvases(), 5);
    dialogs.answer(temp.filePath(QStringLiteral("disc.png")));
    w.Save_Click();
    EXPECT_TRUE(pixels::sameImage(QImage(temp.filePath(QStringLiteral("disc.png"))), disc));
    EXPECT_TRUE(pixels::sameImage(QImage(temp.filePath(QStringLiteral("disc_格子.png"))),
                                  shapes::DiscLattice(QSize(160, 120), 5, 3)));
    dialogs.answer(temp.filePath(QStringLiteral("disc.webp")));
    w.SaveAnimation_Click();
    const animated::Animation webp = animated::readWebP(temp.filePath(QStringLiteral("disc.webp")));
    ASSERT_EQ(webp.frames.size(), size_t(12));
    for (int step = 0; step < 12; ++step)
        EXPECT_TRUE(pixels::sameImage(webp.frames[size_t(step)],
                                      shapes::DiscPreviewFrame(disc, 5, 3, step)))
            << "step " << step;
    EXPECT_TRUE(messages.shown.isEmpty());
}

// The lamp's picture strip is the flat sheet's stripes; the window shows the diameter the
// printed strip really wraps. Three frames, 1.0 mm slits at 600 dpi: 24 dots a slit. An
// 80 mm cylinder is 5936.7 dots round, 82.45 periods of 72 dots: 82 periods, 5904 dots,
// 249.94 mm, wrapping 79.56 mm; the 90 mm lattice cylinder is 282.74 mm round.
TEST_F(FramesShapeTest, TheLampShowsItsStripsAndRealInnerDiameter)
{
    FramesWindow &w = composed();
    const QImage flat = w.animation().composed();
    EXPECT_FALSE(w.InnerDiameterBox->isEnabled());
    w.ShapeOption[ShapeControls::kLamp]->click();
    EXPECT_TRUE(w.InnerDiameterBox->isEnabled());
    EXPECT_TRUE(w.OuterDiameterBox->isEnabled());
    EXPECT_FALSE(w.PeriodsBox->isEnabled());
    EXPECT_TRUE(pixels::sameImage(w.animation().composed(), flat));
    EXPECT_EQ(w.LampFigures->text(),
              QStringLiteral("実際の内径 79.6 mm（周期 82）\n絵の帯 249.9 mm・格子の帯 282.7 mm\n"
                             "線の幅 1.0 mm、600 dpi で印刷するとき"));
    // Two frames, a 150 mm cylinder in a 200 mm one: 11131.6 dots, 231.91 periods of 48:
    // 232, 11136 dots, 471.42 mm, wrapping 150.06 mm; the lattice 628.32 mm.
    w.SlotRemove_Click(2);
    w.OuterDiameterBox->setValue(200);
    w.InnerDiameterBox->setValue(150);
    EXPECT_TRUE(w.LampFigures->text().startsWith(
        QStringLiteral("実際の内径 150.1 mm（周期 232）\n絵の帯 471.4 mm・格子の帯 628.3 mm")))
        << w.LampFigures->text().toStdString();
    w.InnerDiameterBox->setValue(200);
    EXPECT_EQ(w.LampFigures->text(), QStringLiteral("外径は内径より大きくしてください。"));
    w.SlotRemove_Click(1);
    EXPECT_EQ(w.LampFigures->text(), QStringLiteral("コマが２つ以上あると、帯の寸法が出ます。"));
}

} // namespace
