#include "editor/editor_image_checks.h"
#include "editor/form9.h"
#include "platform/surface_view.h"
#include "support/drop.h"
#include "support/program_fixture.h"

#include <QFile>

namespace {

class EditorDrop : public ProgramFixture {
protected:
    form9 &openEditor()
    {
        window().mnupicture_Click();
        form9 *editor = window().editorWindow();
        editor->Form_Activate();
        return *editor;
    }
};

TEST_F(EditorDrop, PicturesDroppedOnTheThumbnailsLoadLikeTheirLoaders)
{
    form9 &editor = openEditor();
    const QImage base = pictureOf(640, 480, [](int x, int) {
        return x < 320 ? kPureYellow : rgb(0, 0, 200);
    });
    const QImage insert = pictureOf(320, 240, [](int, int) { return rgb(0, 160, 0); });
    editor.Command4_Click(1); // a zoom the insert drop must reset
    ASSERT_NE(state.editor.zoomSteps, 1);

    EXPECT_TRUE(dropOn(editor.Image2View, {writePicture(base, QStringLiteral("base.bmp"))}));
    EXPECT_TRUE(dropOn(editor.Image1View, {writePicture(insert, QStringLiteral("insert.png"),
                                                        "PNG")}));
    EXPECT_EQ(state.editor.zoomSteps, 1);
    EXPECT_EQ(firstWrongPixel(editor.Picture2.image(), base), "");
    EXPECT_FALSE(editor.Image1.picture().isNull());
    EXPECT_FALSE(editor.Image10.picture().isNull());

    editor.Command1_Click(2);
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 10, 10), rgb(0, 160, 0));
    EXPECT_EQ(pixelAt(editor.Picture3.image(), 600, 10), rgb(0, 0, 200));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(EditorDrop, ADropThatIsNotOnePictureChangesNothing)
{
    form9 &editor = openEditor();
    const QString insert = writePicture(pictureOf(640, 480, [](int, int) { return rgb(1, 2, 3); }),
                                        QStringLiteral("insert.bmp"));
    dropOn(editor.Image1View, {insert});
    editor.Command4_Click(3);
    const QImage before = editor.Picture1.image();
    const double zoom = state.editor.zoomSteps;

    QFile text(temp.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("hello");
    text.close();
    EXPECT_FALSE(dropOn(editor.Image1View, {text.fileName()}));
    EXPECT_FALSE(dropOn(editor.Image1View, {insert, insert}));
    dropOn(editor.Image2View, {text.fileName()});

    EXPECT_EQ(state.editor.zoomSteps, zoom);
    EXPECT_EQ(editor.Picture1.image(), before);
    EXPECT_TRUE(editor.Image2.picture().isNull());
}

} // namespace
