#include "frames_window/frames_window.h"
#include "frames_window/source_dialog.h"
#include "support/drop.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"
#include "support/source_files.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace
{

using source_files::frameIndexOf;

class FramesSourcesTest : public ProgramFixture
{
  protected:
    FramesWindow &open()
    {
        window().mnuframes_Click();
        QApplication::processEvents();
        return *window().framesWindow();
    }
    // The frames the slots hold, told by their colours among `colours`.
    static std::vector<int> slotFrames(const FramesWindow &w, int colours)
    {
        std::vector<int> seen;
        for (int i = 0; i < w.frameSlots().slotCount(); ++i) {
            const FrameSlot &slot = w.frameSlots().slot(i);
            seen.push_back(slot.isEmpty() ? -1 : frameIndexOf(slot.picture, colours));
        }
        return seen;
    }
    static int stripShown(const SourceDialog &d)
    {
        int shown = 0;
        for (const QLabel *picture : d.Strip)
            shown += !picture->isHidden() && !picture->pixmap().isNull();
        return shown;
    }
};

using Frames = std::vector<int>;

TEST_F(FramesSourcesTest, AGifFromTheButtonFillsTheSlotsWithThePickedFrames)
{
    FramesWindow &w = open();
    const QString gif = temp.filePath(QStringLiteral("anim.gif"));
    source_files::writeAnimation(gif, 12);
    dialogs.answer(gif);
    w.OpenSource_Click();
    SourceDialog *d = w.sourceDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->picks(), (Frames{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(stripShown(*d), 6);
    EXPECT_TRUE(d->Choice->text().startsWith(QStringLiteral("12 コマのうち 6 コマ")));
    EXPECT_TRUE(d->From->isHidden());
    // The strip follows the count.
    d->Count->setValue(4);
    EXPECT_EQ(d->picks(), (Frames{0, 3, 6, 9}));
    EXPECT_EQ(stripShown(*d), 4);
    EXPECT_EQ(frameIndexOf(d->Strip[1]->pixmap().toImage(), 12), 3);
    d->accept();
    QApplication::processEvents();
    EXPECT_EQ(slotFrames(w, 12), (Frames{0, 3, 6, 9}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(FramesSourcesTest, AFolderDroppedOnTheWindowOpensTheDialogAndCancelChangesNothing)
{
    FramesWindow &w = open();
    const QDir folder(temp.filePath(QStringLiteral("frames")));
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    for (const int n : {9, 1, 12, 4, 7, 2, 10, 5, 3, 8, 11, 6})
        source_files::colourFrame(n - 1, 12).save(
            folder.filePath(QStringLiteral("f%1.png").arg(n)));
    EXPECT_TRUE(dropOn(&w, {folder.path()}));
    QApplication::processEvents();
    SourceDialog *d = w.sourceDialog();
    ASSERT_NE(d, nullptr);
    d->Count->setValue(8);
    EXPECT_EQ(d->picks(), (Frames{0, 1, 3, 4, 6, 7, 9, 10}));
    d->reject();
    QApplication::processEvents();
    EXPECT_EQ(slotFrames(w, 12), (Frames{-1, -1}));
    // Again, accepted: eight slots in natural order.
    dropOn(&w, {folder.path()});
    QApplication::processEvents();
    w.sourceDialog()->Count->setValue(8);
    w.sourceDialog()->accept();
    QApplication::processEvents();
    EXPECT_EQ(slotFrames(w, 12), (Frames{0, 1, 3, 4, 6, 7, 9, 10}));
}

TEST_F(FramesSourcesTest, AVideoTakesItsRangeAndACancelledDecodeFillsNoSlot)
{
    FramesWindow &w = open();
    const QString video = temp.filePath(QStringLiteral("clip.webm"));
    if (!source_files::writeVideo(video, 20, 10, {"-c:v", "libvpx-vp9", "-b:v", "0", "-crf", "30"},
                                  QSize(320, 240)))
        GTEST_SKIP() << "no ffmpeg with libvpx-vp9";
    w.OpenSources({video});
    SourceDialog *d = w.sourceDialog();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->From->isHidden());
    d->Count->setValue(4);
    d->From->setValue(0.5);
    d->To->setValue(1.5);
    d->updateChoice();
    EXPECT_TRUE(d->Choice->text().startsWith(QStringLiteral("10 コマのうち 4 コマ")));
    EXPECT_EQ(frameIndexOf(d->Strip[3]->pixmap().toImage(), 20), 12);

    // 「中止」 as soon as the decoding starts: no slot changes, and the window goes on.
    QTimer::singleShot(0, &w, [&w] {
        if (auto *progress = w.findChild<QProgressDialog *>())
            for (QPushButton *button : progress->findChildren<QPushButton *>())
                if (button->text() == QStringLiteral("中止"))
                    button->click();
    });
    d->accept();
    QApplication::processEvents();
    EXPECT_EQ(slotFrames(w, 20), (Frames{-1, -1}));
    EXPECT_TRUE(messages.shown.isEmpty());
    w.OpenSources({video});
    w.sourceDialog()->Count->setValue(2);
    w.sourceDialog()->accept();
    QApplication::processEvents();
    EXPECT_EQ(slotFrames(w, 20), (Frames{0, 10}));
}

TEST_F(FramesSourcesTest, SilhouettesShowInTheThumbnailsAndTheComposition)
{
    FramesWindow &w = open();
    // A dark and a light frame: below and above the threshold of 100.
    dialogs.answer(
        writePicture(pixels::plainPicture(64, 48, rgb(40, 40, 40)), QStringLiteral("dark.bmp")));
    w.SlotLoad_Click(0);
    dialogs.answer(writePicture(pixels::plainPicture(64, 48, rgb(180, 180, 180)),
                                QStringLiteral("light.bmp")));
    w.SlotLoad_Click(1);
    EXPECT_FALSE(w.Threshold->isEnabled());
    w.Silhouette->setChecked(true);
    w.Threshold->setValue(100);
    EXPECT_EQ(w.ThresholdValue->text(), QStringLiteral("100"));
    const QImage dark = w.Thumbnails[0].picture();
    const QImage light = w.Thumbnails[1].picture();
    EXPECT_EQ(dark.pixel(dark.width() / 2, dark.height() / 2), qRgb(0, 0, 0));
    EXPECT_EQ(light.pixel(light.width() / 2, light.height() / 2), qRgb(255, 255, 255));
    w.Invert->setChecked(true);
    EXPECT_EQ(w.Thumbnails[0].picture().pixel(dark.width() / 2, dark.height() / 2),
              qRgb(255, 255, 255));
    w.Compose_Click();
    const QImage composed = w.animation().composed();
    ASSERT_FALSE(composed.isNull());
    // Slit 2: columns 0 and 1 frame 0, 2 and 3 frame 1; inverted.
    EXPECT_EQ(composed.pixel(0, 240), qRgb(255, 255, 255));
    EXPECT_EQ(composed.pixel(2, 240), qRgb(0, 0, 0));
    // Back to automatic: the slider at its left end.
    w.Threshold->setValue(0);
    EXPECT_EQ(w.ThresholdValue->text(), QStringLiteral("自動"));
}

} // namespace
