#include "app_support/command_line_pictures.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QCoreApplication>
#include <QFile>

#include <array>

namespace
{

// Every surface of both slots: stripe surfaces, the four canvases and the thumbnails.
using Slots = std::array<QImage, 10>;

class CommandLinePictures : public ProgramFixture
{
  protected:
    Slots slotsNow()
    {
        const MainSurfaces &s = surfaces();
        return {s.Picture1.image(),     s.Picture2.image(),    s.Picture10[0].image(),
                s.Picture10[1].image(), s.Picture8[0].image(), s.Picture8[1].image(),
                s.Picture9[0].image(),  s.Picture9[1].image(), s.Image4.picture(),
                s.Image5.picture()};
    }
    void expectSame(const Slots &actual, const Slots &expected)
    {
        for (std::size_t i = 0; i < actual.size(); ++i)
            EXPECT_TRUE(pixels::sameImage(actual[i], expected[i])) << "surface " << i;
    }
    void dialogLoad(int slot, const QString &path)
    {
        dialogs.answer(path);
        window().Command1_Click(slot);
    }
    QString brokenFile()
    {
        const QString path = temp.filePath(QStringLiteral("broken.jpg"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xFF\xD8\xFF not really a JPEG");
        return path;
    }
};

// Pictures named on the command line fill the slots exactly as the same files chosen in the
// load dialogs do, the stop of a running preview included.
TEST_F(CommandLinePictures, SlotsEqualADialogLoadOfTheSameFiles)
{
    const QString tall = writePicture(pixels::randomPicture(300, 400, 81), "tall.bmp");
    const QString photo = writePicture(pixels::randomPicture(1600, 1200, 82), "photo.jpg", "JPEG");
    window().Command1_Click(2);
    window().Command2_Click();
    ASSERT_EQ(clock().interval(), 100);

    EXPECT_EQ(openCommandLinePictures(window(), {tall, photo}), QStringList());
    const Slots fromCommandLine = slotsNow();
    EXPECT_EQ(clock().interval(), 0);
    EXPECT_FALSE(window().Command2->isHidden());
    EXPECT_TRUE(window().Command3->isHidden());
    EXPECT_FALSE(surfaces().Image4.picture().isNull());
    EXPECT_EQ(pixels::at(surfaces().Picture8[0].image(), 0, 120), kWhite); // band left of it
    EXPECT_TRUE(dialogs.shown().empty());

    dialogLoad(0, writePicture(pixels::randomPicture(50, 50, 83), "other.bmp"));
    dialogLoad(1, temp.filePath("other.bmp"));
    dialogLoad(0, tall);
    dialogLoad(1, photo);
    expectSame(slotsNow(), fromCommandLine);
}

// One picture fills picture 1 only; a file that does not load leaves its slot as a failed
// dialog load leaves it, and is reported.
TEST_F(CommandLinePictures, FailedFilesLeaveTheirSlotsAsAFailedLoadDoes)
{
    const QString good = writePicture(pixels::randomPicture(320, 240, 84), "good.bmp");
    const QString broken = brokenFile(), missing = temp.filePath(QStringLiteral("missing.gif"));

    dialogLoad(1, good);
    const Slots slot2Loaded = slotsNow();
    EXPECT_EQ(openCommandLinePictures(window(), {good}), QStringList());
    EXPECT_TRUE(pixels::sameImage(surfaces().Image5.picture(), slot2Loaded[9]));
    EXPECT_TRUE(pixels::sameImage(surfaces().Image4.picture(), slot2Loaded[9]));

    EXPECT_EQ(openCommandLinePictures(window(), {broken, missing}), QStringList({broken, missing}));
    const Slots fromCommandLine = slotsNow();
    EXPECT_TRUE(surfaces().Image4.picture().isNull());
    EXPECT_TRUE(surfaces().Image5.picture().isNull());

    dialogLoad(0, good);
    dialogLoad(1, good);
    dialogLoad(0, broken);
    dialogLoad(1, missing);
    expectSame(slotsNow(), fromCommandLine);
}

// The pictures load once the event loop runs, after the window has started.
TEST_F(CommandLinePictures, LoadOnceTheEventLoopRuns)
{
    const QString picture = writePicture(pixels::randomPicture(64, 48, 85), "later.bmp");
    openCommandLinePicturesLater(window(), {picture}, {});
    EXPECT_TRUE(surfaces().Image4.picture().isNull());
    QCoreApplication::processEvents();
    EXPECT_FALSE(surfaces().Image4.picture().isNull());
}

} // namespace
