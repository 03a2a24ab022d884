#include "cli/cli_process.h"
#include "state/module3.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

namespace
{

class CliAgainstMainWindow : public ProgramFixture
{
};

// Two 320 x 240 frames on a 320 x 240 canvas with a 1030-pixel lattice: the files of the
// command line are the main window's composed picture and lattice sheet.
TEST_F(CliAgainstMainWindow, TwoFramesGiveTheMainWindowsPictureAndLattice)
{
    const QString one =
        writePicture(pixels::randomPicture(320, 240, 31), QStringLiteral("one.bmp"));
    const QString two =
        writePicture(pixels::randomPicture(320, 240, 32), QStringLiteral("two.bmp"));
    for (int w : {2, 3}) {
        SCOPED_TRACE(::testing::Message() << "w = " << w);
        setLineWidth(w);
        dialogs.answer(one);
        window().Command1_Click(0);
        dialogs.answer(two);
        window().Command1_Click(1);
        window().Command1_Click(2);

        const QString composed = temp.filePath(QStringLiteral("c.png"));
        const QString lattice = temp.filePath(QStringLiteral("l.bmp"));
        const CliRun run =
            runCli({QStringLiteral("compose"), QStringLiteral("-w"), QString::number(w),
                    QStringLiteral("--size"), QStringLiteral("320x240"),
                    QStringLiteral("--lattice-width"), QStringLiteral("1030"), QStringLiteral("-o"),
                    composed, QStringLiteral("-l"), lattice, one, two});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(pixels::sameImage(QImage(composed), surfaces().Picture3.image()));
        EXPECT_TRUE(pixels::sameImage(QImage(lattice), surfaces().Picture4.image()));
    }
}

} // namespace
