#include "editor/editor_fixture.h"
#include "platform/surface_view.h"
#include "support/drop.h"

#include <QFile>

using namespace editor_pictures;

TEST_F(EditorTest, DropsOnTheThumbnailsLoadLikeTheirLoadersAndRefuseTheRest)
{
    form9 &editor = openEditor();
    editor.Command4_Click(1); // a zoom the insert drop must reset
    EXPECT_TRUE(dropOn(editor.Image2View, {writePicture(leftHoleBase(), "base.bmp")}));
    const QString insert =
        writePicture(pixels::plainPicture(320, 240, kGreen), "insert.png", "PNG");
    EXPECT_TRUE(dropOn(editor.Image1View, {insert}));
    EXPECT_EQ(state.editor.zoomSteps, 1);
    editor.Command1_Click(2);
    EXPECT_TRUE(
        pixels::matches(editor.Picture3, [](int x, int) { return x < 320 ? kGreen : kBlue; }));
    EXPECT_TRUE(dialogs.shown().empty());

    // A text file, two files, or a file that does not decode change nothing.
    editor.Command4_Click(1);
    const QImage insertBefore = editor.Picture1.image().copy();
    const QImage baseBefore = editor.Picture2.image().copy();
    const auto writeFile = [this](const char *name, const char *bytes) {
        QFile file(temp.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    const QString text = writeFile("notes.txt", "hello");
    const QString broken = writeFile("broken.bmp", "BM this is not a bitmap");
    for (QWidget *view :
         {static_cast<QWidget *>(editor.Image1View), static_cast<QWidget *>(editor.Image2View)})
        for (const QStringList &paths : {QStringList{text}, {insert, insert}, {broken}})
            dropOn(view, paths);
    EXPECT_EQ(state.editor.zoomSteps, 2);
    EXPECT_TRUE(pixels::sameImage(editor.Picture1.image(), insertBefore));
    EXPECT_TRUE(pixels::sameImage(editor.Picture2.image(), baseBefore));
    EXPECT_FALSE(editor.Image1.picture().isNull() || editor.Image2.picture().isNull());
}
