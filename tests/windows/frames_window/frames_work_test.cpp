#include "frames/frames_rule.h"
#include "frames_window/frames_window.h"
#include "frames_window/preview_view.h"
#include "support/animation_reading.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

// Composing a large canvas and saving an animation run on a thread of their own: 「中止」
// stops them with nothing written and the window as it was before.
namespace
{

class FramesWorkTest : public ProgramFixture
{
  protected:
    // The window with three random frames in its strip, composed on a canvas of the size.
    FramesWindow &composed(QSize canvas, int slit)
    {
        window().mnuframes_Click();
        QApplication::processEvents();
        FramesWindow &w = *window().framesWindow();
        w.AddSlot_Click();
        for (int i = 0; i < 3; ++i) {
            frames_.push_back(pixels::randomPicture(160, 120, uint32_t(20 + i)));
            dialogs.answer(writePicture(frames_.back(), QStringLiteral("f%1.bmp").arg(i)));
            w.SlotLoad_Click(i);
        }
        setCanvas(w, canvas);
        w.SlitWidth->setValue(slit);
        w.Compose_Click();
        EXPECT_TRUE(w.animation().isComposed());
        return w;
    }
    static void setCanvas(FramesWindow &w, QSize canvas)
    {
        w.SizeOption[2]->click();
        w.CanvasWidth->setValue(canvas.width());
        w.CanvasHeight->setValue(canvas.height());
    }
    // Presses 「中止」 as soon as the work has started.
    static void cancelSoon(FramesWindow &w)
    {
        QTimer::singleShot(0, &w, [&w] {
            auto *progress = w.findChild<QProgressDialog *>();
            ASSERT_TRUE(progress);
            for (QPushButton *button : progress->findChildren<QPushButton *>())
                if (button->text() == QStringLiteral("中止"))
                    button->click();
        });
    }
    QStringList everything() const
    {
        return QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    std::vector<QImage> frames_;
};

TEST_F(FramesWorkTest, ACancelledComposeKeepsThePictureShownAndWritesNothing)
{
    FramesWindow &w = composed(QSize(640, 480), 3);
    const QImage picture = w.animation().composed();
    const QImage shown = w.PreviewSurface.image();
    const QSize previewSize = w.Preview->size();
    const QStringList files = everything();

    setCanvas(w, QSize(4000, 3000));
    cancelSoon(w);
    w.Compose_Click();
    EXPECT_TRUE(pixels::sameImage(w.animation().composed(), picture));
    EXPECT_EQ(w.animation().lattice().size(), QSize(640 + 3 * 3, 480));
    EXPECT_TRUE(pixels::sameImage(w.PreviewSurface.image(), shown));
    EXPECT_EQ(w.Preview->size(), previewSize);
    EXPECT_EQ(everything(), files);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(w.client()->isEnabled());

    // Not cancelled, the same work off the GUI thread gives the composition of the rule.
    setCanvas(w, QSize(1200, 900));
    w.Compose_Click();
    std::vector<QImage> fitted;
    for (const QImage &frame : frames_)
        fitted.push_back(frames::FitFrame(frame, frame.size(), QSize(1200, 900)));
    EXPECT_TRUE(pixels::sameImage(w.animation().composed(), frames::ComposeFrames(fitted, 3)));
    EXPECT_TRUE(pixels::sameImage(w.PreviewSurface.image(), w.animation().composed()));
    EXPECT_TRUE(w.client()->isEnabled());
    EXPECT_TRUE(messages.shown.isEmpty());
}

// Cancelled, a save leaves the animation saved before under the name byte for byte and no
// file beside it; the window then saves the next one whole.
TEST_F(FramesWorkTest, ACancelledAnimationSaveLeavesNoFile)
{
    FramesWindow &w = composed(QSize(1200, 900), 10);
    const QString gif = temp.filePath(QStringLiteral("walk.gif"));
    {
        QFile old(gif);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the old animation");
    }
    const QStringList files = everything();
    dialogs.answer(gif);
    cancelSoon(w);
    w.SaveAnimation_Click();
    QFile old(gif);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the old animation"));
    EXPECT_EQ(everything(), files);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(w.SaveAnimation->isEnabled());

    setCanvas(w, QSize(160, 120));
    w.SlitWidth->setValue(2);
    w.Compose_Click();
    dialogs.answer(gif);
    w.SaveAnimation_Click();
    EXPECT_TRUE(messages.shown.isEmpty());
    const animated::Animation saved = animated::readGif(gif);
    ASSERT_TRUE(saved.valid);
    ASSERT_EQ(saved.frames.size(), size_t(frames::CycleLength(2, 3)));
    EXPECT_EQ(saved.frames[0].size(), QSize(160, 120));
}

} // namespace
