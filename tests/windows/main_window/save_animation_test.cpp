#include "frames/frames_rule.h"
#include "state/module3.h"
#include "support/animation_reading.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

namespace
{

class SavingTheAnimation : public ProgramFixture
{
  protected:
    void composeTwoPictures()
    {
        dialogs.answer(writePicture(pixels::randomPicture(320, 240, 41), QStringLiteral("a.bmp")));
        window().Command1_Click(0);
        dialogs.answer(writePicture(pixels::randomPicture(200, 300, 42), QStringLiteral("b.bmp")));
        window().Command1_Click(1);
        window().Command1_Click(2);
    }
};

TEST_F(SavingTheAnimation, IsTheLastItemOfTheFileMenu)
{
    const QMenu *file = window().menuBar()->findChild<QMenu *>(QStringLiteral("mnufile"));
    ASSERT_NE(file, nullptr);
    ASSERT_FALSE(file->actions().isEmpty());
    EXPECT_EQ(file->actions().constLast(), window().mnusaveanim);
    EXPECT_EQ(window().mnusaveanim->text(), QStringLiteral("アニメーションを保存"));
}

// One cycle of the preview, frame for frame what the main area shows tick by tick.
TEST_F(SavingTheAnimation, WritesThePreviewCycleAsTheNameSays)
{
    composeTwoPictures();
    for (int w : {2, 3}) {
        SCOPED_TRACE(::testing::Message() << "w = " << w);
        setLineWidth(w);
        window().Command1_Click(2);
        const QString webp = temp.filePath(QStringLiteral("p.webp"));
        const QString gif = temp.filePath(QStringLiteral("p.gif"));
        dialogs.answer(webp);
        window().mnusaveanim->trigger();
        dialogs.answer(gif);
        window().mnusaveanim->trigger();
        EXPECT_EQ(dialogs.shown().back().request.filter,
                  QStringLiteral("(*.gif)|*.gif|(*.webp)|*.webp"));

        const animated::Animation saved = animated::readWebP(webp);
        ASSERT_EQ(saved.frames.size(), size_t(2 * w));
        EXPECT_EQ(animated::readGif(gif).frames.size(), size_t(2 * w));
        window().Command2_Click();
        for (int o = 0; o < 2 * w; ++o) {
            SCOPED_TRACE(::testing::Message() << "offset " << o);
            EXPECT_TRUE(pixels::sameImage(saved.frames[size_t(o)], surfaces().Picture5[2].image()));
            clock().advance();
        }
        window().Command3_Click();
    }
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(SavingTheAnimation, FailuresAreReportedAndACancelIsSilent)
{
    composeTwoPictures();
    window().mnusaveanim->trigger(); // no answer: cancelled
    EXPECT_TRUE(messages.shown.isEmpty());

    for (const QString &path : {temp.filePath(QStringLiteral("no/folder/p.gif")),
                                temp.filePath(QStringLiteral("p.png"))}) {
        SCOPED_TRACE(path.toStdString());
        messages.shown.clear();
        dialogs.answer(path);
        window().mnusaveanim->trigger();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown[0].text.contains(QDir::toNativeSeparators(path)));
        EXPECT_FALSE(QFile::exists(path));
    }
}

} // namespace
