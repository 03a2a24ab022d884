#include "editor/editor_image_checks.h"
#include "editor/form9.h"
#include "support/program_fixture.h"

#include <QApplication>
#include <QDir>
#include <QPainter>

namespace {

// A base picture with two pure-yellow holes: a round window and a square one.
QImage holedBase()
{
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(QColor(70, 110, 170));
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 200, 150));
    p.drawRect(40, 300, 560, 150);
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QPoint(200, 180), 110, 110);
    p.drawRect(380, 90, 180, 180);
    return image;
}

// An insert picture with a recognisable pattern: rings around its centre.
QImage ringsInsert()
{
    QImage image(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const int d = int(std::hypot(x - 400, y - 300)) / 20;
            image.setPixel(x, y, d % 2 ? qRgb(200, 40, 40) : qRgb(250, 240, 220));
        }
    return image;
}

} // namespace

// Walks through the editor as a user does and, when LINTARO_SHOT_DIR is set, keeps a
// picture of the windows after each step.
class EditorWalkthrough : public ProgramFixture {
protected:
    void shot(QWidget &widget, const char *name)
    {
        const QString folder = qEnvironmentVariable("LINTARO_SHOT_DIR");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        EXPECT_TRUE(widget.grab().save(QDir(folder).filePath(QString::fromUtf8(name) + ".png")));
    }
};

TEST_F(EditorWalkthrough, FromTwoPicturesToAnAnimation)
{
    window().show();
    window().mnupicture_Click();
    QApplication::processEvents();
    form9 &editor = *window().editorWindow();
    editor.Form_Activate();
    shot(editor, "1-editor-opened");

    dialogs.answer(writePicture(holedBase(), "base.bmp"));
    editor.Command1_Click(1);
    dialogs.answer(writePicture(ringsInsert(), "insert.bmp"));
    editor.Command1_Click(0);
    shot(editor, "2-loaded");
    editor.Command1_Click(2);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 20, 20), rgb(70, 110, 170));
    shot(editor, "3-composed");

    for (int i = 0; i < 4; ++i)
        editor.Command4_Click(3);
    shot(editor, "4-zoomed");
    for (int i = 0; i < 6; ++i)
        editor.Command3_Click(2);
    editor.Command3_Click(8);
    shot(editor, "5-moved");

    editor.Command2_Click(0);
    editor.Command2_Click(2);
    window().Command1_Click(2);
    shot(window(), "6-main-composed");
    window().Command2_Click();
    for (int i = 0; i < 12; ++i)
        clock().advance();
    shot(window(), "7-main-animating");
    EXPECT_FALSE(editor.isVisible());
}
