#include "editor/editor_fixture.h"
#include "platform/surface_view.h"
#include "support/drop.h"
#include "support/real_files.h"

#include <QElapsedTimer>

#include <sys/stat.h>

using namespace editor_pictures;

// The editor opens with the focus on its first control, so a Space loads a picture rather
// than zooming; a 48 MP camera photograph loads as insert and as base picture, measured at
// its own size; a FIFO is refused without waiting for a writer.
TEST_F(EditorTest, OpensOnItsFirstControlAndLoadsCameraPhotographs)
{
    form9 &editor = openEditor();
    EXPECT_EQ(editor.focusWidget(), editor.Command1[0]);

    const QString photo = temp.filePath("camera.jpg");
    ASSERT_TRUE(real_files::writeJpeg(photo, QSize(8000, 6000)));
    dialogs.answer(photo);
    editor.Command1_Click(0);
    EXPECT_EQ(editor.Picture7.size(), QSize(8000, 6000));
    EXPECT_FALSE(editor.Image10.picture().isNull());
    EXPECT_TRUE(dropOn(editor.Image2View, {photo}));
    EXPECT_EQ(editor.Picture7.size(), QSize(8000, 6000));
    EXPECT_FALSE(editor.Image2.picture().isNull());
    // Fitted exactly (4:3): the photograph's dark first rows reach the top edge.
    EXPECT_NE(editor.Picture1.point(320, 0), kWhite);
    EXPECT_NE(editor.Picture2.point(320, 0), kWhite);

    const QString fifo = temp.filePath("fifo.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(dropOn(editor.Image1View, {fifo}));
    dialogs.answer(fifo);
    editor.Command1_Click(1);
    EXPECT_TRUE(editor.Image2.picture().isNull());
    EXPECT_LT(clock.elapsed(), 1000);
}
