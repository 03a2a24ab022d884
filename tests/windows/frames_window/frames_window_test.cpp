#include "frames/frames_rule.h"
#include "frames_window/frames_window.h"
#include "frames_window/preview_view.h"
#include "support/drop.h"
#include "support/layout_checks.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"
#include "ui/controls.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace
{

constexpr Colour kColours[] = {rgb(220, 0, 0),   rgb(0, 160, 0),   rgb(0, 0, 200),
                               rgb(200, 200, 0), rgb(0, 200, 200), rgb(200, 0, 200),
                               rgb(90, 90, 90),  rgb(250, 128, 0)};

class FramesWindowTest : public ProgramFixture
{
  protected:
    FramesWindow &open()
    {
        window().mnuframes_Click();
        QApplication::processEvents();
        return *window().framesWindow();
    }
    // A plain 4:3 picture of frame colour i, written once.
    QString framePicture(int i)
    {
        return writePicture(pixels::plainPicture(64, 48, kColours[i]),
                            QStringLiteral("frame%1.bmp").arg(i));
    }
    void load(FramesWindow &w, int slot, const QString &path)
    {
        dialogs.answer(path);
        w.SlotLoad_Click(slot);
    }
    // A window whose first `count` slots hold frames 0 .. count - 1.
    FramesWindow &openWith(int count)
    {
        FramesWindow &w = open();
        for (int i = 0; i < count; ++i) {
            if (i >= w.frameSlots().slotCount())
                w.AddSlot_Click();
            load(w, i, framePicture(i));
        }
        return w;
    }
    // The frame colours the strip holds, in order; -1 for an empty slot.
    std::vector<int> strip(const FramesWindow &w)
    {
        std::vector<int> order;
        for (int i = 0; i < w.frameSlots().slotCount(); ++i) {
            const FrameSlot &s = w.frameSlots().slot(i);
            order.push_back(s.isEmpty() ? -1 : QFileInfo(s.path).baseName().back().digitValue());
        }
        return order;
    }
    int visibleCells(const FramesWindow &w)
    {
        int n = 0;
        for (QPushButton *load : w.SlotLoad)
            n += load->isVisibleTo(&w);
        return n;
    }
    // Presses the left button at fromX, moves one pixel at a time to toX and lets go.
    static void drag(QWidget *view, int fromX, int toX)
    {
        const auto send = [view](QEvent::Type type, int x, Qt::MouseButton button,
                                 Qt::MouseButtons held) {
            const QPointF at(x, 40);
            QMouseEvent event(type, at, view->mapToGlobal(at), button, held, Qt::NoModifier);
            QApplication::sendEvent(view, &event);
        };
        send(QEvent::MouseButtonPress, fromX, Qt::LeftButton, Qt::LeftButton);
        const int step = toX > fromX ? 1 : -1;
        for (int x = fromX; x != toX;)
            send(QEvent::MouseMove, x += step, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, toX, Qt::LeftButton, Qt::NoButton);
    }
    // Each column of the composition shows frame (-floor(x / w)) mod N.
    static std::function<Colour(int, int)> composition(int slit, int count)
    {
        return [=](int x, int) { return kColours[frames::FrameOfColumn(x, slit, count)]; };
    }
};

// Opened from the last item of 「ツール」, created once and kept; its close box discards it.
TEST_F(FramesWindowTest, OpensFromTheToolsMenuOnce)
{
    window().mnuframes->trigger();
    FramesWindow *frames = window().framesWindow();
    ASSERT_NE(frames, nullptr);
    EXPECT_EQ(frames->windowTitle(), QStringLiteral("コマアニメーション"));
    EXPECT_TRUE(frames->isVisible());
    window().mnuframes->trigger();
    EXPECT_EQ(window().framesWindow(), frames);
    frames->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window().framesWindow(), nullptr);
}

// Every cell in use and the add button after them; then the same at twice the font.
TEST_F(FramesWindowTest, ControlsFitWithoutOverlapsAtTheWindowsFontAndTwiceIt)
{
    FramesWindow &w = openWith(3);
    QStringList faults = layoutFaults(&w);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
    EXPECT_EQ(w.AddSlot->geometry().left(), w.SlotImage[2]->geometry().right() + 7);
    const QSize normal = w.size();
    w.setFont(gothicFont(21));
    faults = layoutFaults(&w);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
    EXPECT_GT(w.width(), normal.width());
    EXPECT_GT(w.height(), normal.height());
}

TEST_F(FramesWindowTest, StripAfterAddingRemovingMovingAndAFailedLoad)
{
    FramesWindow &w = openWith(3);
    EXPECT_EQ(strip(w), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(visibleCells(w), 3);
    EXPECT_EQ(w.FrameCount->text(), QStringLiteral("コマの数＝3"));
    EXPECT_FALSE(w.SlotLeft[0]->isEnabled());
    EXPECT_FALSE(w.SlotRight[2]->isEnabled());

    w.SlotLeft_Click(2);
    EXPECT_EQ(strip(w), (std::vector<int>{0, 2, 1}));
    w.SlotRight_Click(0);
    EXPECT_EQ(strip(w), (std::vector<int>{2, 0, 1}));
    w.SlotRight_Click(2); // already last
    EXPECT_EQ(strip(w), (std::vector<int>{2, 0, 1}));
    w.SlotRemove_Click(1);
    EXPECT_EQ(strip(w), (std::vector<int>{2, 1}));

    // A file that does not load leaves the slot as it was and says so.
    QFile broken(temp.filePath(QStringLiteral("broken.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not a bitmap");
    broken.close();
    load(w, 1, broken.fileName());
    EXPECT_EQ(strip(w), (std::vector<int>{2, 1}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.contains(broken.fileName()));
    // A cancelled dialog changes nothing and says nothing.
    w.SlotLoad_Click(0);
    EXPECT_EQ(strip(w), (std::vector<int>{2, 1}));
    EXPECT_EQ(messages.shown.size(), 1);

    // Never fewer than two slots: removing then empties them.
    w.SlotRemove_Click(0);
    w.SlotRemove_Click(0);
    EXPECT_EQ(strip(w), (std::vector<int>{-1, -1}));
    EXPECT_EQ(w.FrameCount->text(), QStringLiteral("コマの数＝0"));

    // Eight at most; the add button goes once the strip is full.
    for (int i = 0; i < 8; ++i)
        w.AddSlot_Click();
    EXPECT_EQ(w.frameSlots().slotCount(), 8);
    EXPECT_EQ(visibleCells(w), 8);
    EXPECT_FALSE(w.AddSlot->isVisibleTo(&w));
}

TEST_F(FramesWindowTest, EmptySlotsAreLeftOutAndComposingNeedsTwoFrames)
{
    FramesWindow &w = open();
    load(w, 1, framePicture(0));
    w.Compose_Click();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_FALSE(w.animation().isComposed());
    EXPECT_FALSE(w.StartPreview->isEnabled());
    EXPECT_FALSE(w.Save->isEnabled());

    w.AddSlot_Click();
    w.AddSlot_Click();
    EXPECT_TRUE(dropOn(w.SlotImage[3], {framePicture(1)})); // slots: empty, 0, empty, 1
    EXPECT_EQ(strip(w), (std::vector<int>{-1, 0, -1, 1}));
    // A canvas whose frames would not fit in memory is refused before anything is made.
    w.SizeOption[2]->click();
    w.CanvasWidth->setValue(10000);
    w.CanvasHeight->setValue(10000);
    w.Compose_Click();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_FALSE(w.animation().isComposed());
    w.SizeOption[0]->click();
    w.SlitWidth->setValue(3);
    w.Compose_Click();
    EXPECT_EQ(w.animation().frameCount(), 2);
    EXPECT_TRUE(pixels::matches(w.PreviewSurface, composition(3, 2)));
    EXPECT_EQ(w.PreviewSurface.image().size(), QSize(320, 240));
    EXPECT_TRUE(w.Save->isEnabled());
}

// A slot keeps a large picture reduced for the canvas it was loaded for, and decodes the file
// afresh when a larger canvas needs more pixels.
TEST_F(FramesWindowTest, LargePicturesAreKeptReducedAndDecodedAfreshForALargerCanvas)
{
    const QImage big = pixels::randomPicture(2000, 1500, 7);
    const QString path = writePicture(big, QStringLiteral("big.bmp"));
    FramesWindow &w = open();
    w.SizeOption[0]->click();
    load(w, 0, path);
    load(w, 1, path);
    EXPECT_EQ(w.frameSlots().slot(0).picture.size(), QSize(853, 640));
    EXPECT_EQ(w.frameSlots().slot(0).naturalSize, QSize(2000, 1500));

    w.SizeOption[2]->click();
    w.CanvasWidth->setValue(1000);
    w.CanvasHeight->setValue(750);
    w.Compose_Click();
    // Both frames are the same picture, so the composition is that picture, fitted.
    EXPECT_TRUE(pixels::sameImage(w.animation().composed(),
                                  frames::FitFrame(big, big.size(), QSize(1000, 750))));
}

// The clock slides the lattice one pixel a tick, round and round, until 「とめる」; then the
// mouse slides it, one pixel for one pixel of travel.
TEST_F(FramesWindowTest, PreviewRunsOnTheClockAndFollowsTheMouseWhenStopped)
{
    FramesWindow &w = openWith(3);
    w.Compose_Click();
    const QSize canvas(640, 480);
    ASSERT_EQ(w.PreviewSurface.image().size(), canvas);
    EXPECT_TRUE(pixels::matches(w.PreviewSurface, composition(2, 3)));

    const auto showsAlone = [&](int frame) {
        return pixels::matches(w.PreviewSurface, [&](int x, int) {
            return frames::FrameOfColumn(x, 2, 3) == frame ? kColours[frame] : kBlack;
        });
    };
    w.StartPreview_Click();
    ManualTimer &clock = static_cast<ManualTimer &>(w.PreviewTimer());
    EXPECT_EQ(clock.interval(), 100);
    EXPECT_TRUE(w.StopPreview->isVisibleTo(&w));
    EXPECT_FALSE(w.StartPreview->isVisibleTo(&w));
    EXPECT_TRUE(showsAlone(0));
    for (int tick = 1; tick <= 13; ++tick) {
        ASSERT_TRUE(clock.advance());
        EXPECT_EQ(w.animation().offset(), tick % 6);
    }
    EXPECT_EQ(w.animation().offset(), 1);
    clock.advance();
    EXPECT_TRUE(showsAlone(1));
    drag(w.Preview, 100, 104); // the clock owns the lattice while it runs
    EXPECT_EQ(w.animation().offset(), 2);

    w.StopPreview_Click();
    EXPECT_EQ(clock.interval(), 0);
    EXPECT_FALSE(clock.advance());
    EXPECT_TRUE(w.StartPreview->isVisibleTo(&w));
    EXPECT_TRUE(showsAlone(1));
    drag(w.Preview, 100, 102); // two pixels right: the lattice goes back to offset 0
    EXPECT_EQ(w.animation().offset(), 0);
    EXPECT_TRUE(showsAlone(0));
    drag(w.Preview, 300, 296); // four pixels left
    EXPECT_EQ(w.animation().offset(), 4);
    EXPECT_TRUE(showsAlone(2));

    // Starting again starts from offset 0.
    w.StartPreview_Click();
    EXPECT_TRUE(showsAlone(0));
    // Composing stops the preview.
    w.Compose_Click();
    EXPECT_EQ(clock.interval(), 0);
    EXPECT_TRUE(pixels::matches(w.PreviewSurface, composition(2, 3)));
}

} // namespace
