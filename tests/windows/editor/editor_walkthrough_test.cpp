#include "editor/editor_fixture.h"

#include <QDir>

using namespace editor_pictures;

// Walks through the editor as a user does; with LINTARO_SHOT_DIR set, keeps a picture of the
// windows after each step.
TEST_F(EditorTest, WalkthroughFromTwoPicturesToAnAnimation)
{
    const QString folder = qEnvironmentVariable("LINTARO_SHOT_DIR");
    const auto shot = [&](QWidget &widget, const char *name) {
        if (!folder.isEmpty() && QDir().mkpath(folder)) {
            const QString file = QDir(folder).filePath(QString::fromUtf8(name) + ".png");
            EXPECT_TRUE(widget.grab().save(file));
        }
    };
    window().show();
    // Rings in the insert, a round and a square hole in the base.
    const QImage rings = pixels::pictureOf(800, 600, [](int x, int y) {
        return int(std::hypot(x - 400, y - 300)) / 20 % 2 ? kRed : rgb(250, 240, 220);
    });
    const QImage base = pixels::pictureOf(640, 480, [](int x, int y) {
        const bool round = std::hypot(x - 200, y - 180) < 110;
        const bool square = x >= 380 && x < 560 && y >= 90 && y < 270;
        return round || square ? kPureYellow : kBlue;
    });
    form9 &editor = openWith(base, rings);
    shot(editor, "1-loaded");
    editor.Command1_Click(2);
    EXPECT_EQ(pixels::at(editor.Picture3.image(), 20, 20), kBlue);
    shot(editor, "2-composed");
    for (int i = 0; i < 4; ++i)
        editor.Command4_Click(3);
    editor.Command3_Click(2);
    editor.Command3_Click(8);
    shot(editor, "3-zoomed-and-moved");

    editor.Command2_Click(0);
    editor.Command2_Click(2);
    window().Command1_Click(2);
    window().Command2_Click();
    for (int i = 0; i < 12; ++i)
        clock().advance();
    shot(window(), "4-main-animating");
    EXPECT_FALSE(editor.isVisible());
}
