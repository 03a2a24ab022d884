#include "editor/editor_fixture.h"
#include "support/source_files.h"

namespace
{

using source_files::frameIndexOf;

// Where one picture is expected, an animation gives its first frame, without a word.
TEST_F(EditorTest, AnAnimationLoadsItsFirstFrameSilentlyInTheMainWindowAndTheEditor)
{
    const QString gif = temp.filePath(QStringLiteral("anim.gif"));
    source_files::writeAnimation(gif, 12);
    dialogs.answer(gif);
    window().Command1_Click(0);
    EXPECT_EQ(frameIndexOf(surfaces().Picture10[0].image(), 12), 0);

    form9 &editor = openEditor();
    dialogs.answer(gif);
    editor.Command1_Click(1);
    editor.Command1_Click(2);
    EXPECT_EQ(frameIndexOf(editor.Picture3.image(), 12), 0);
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
