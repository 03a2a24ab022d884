#pragma once

#include "editor/form9.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <QApplication>

// A whole program with the picture editor open.
class EditorTest : public ProgramFixture
{
  protected:
    form9 &openEditor()
    {
        window().mnupicture_Click();
        // Let any activation the window system reports happen now, not in the middle of a test.
        QApplication::processEvents();
        form9 &editor = *window().editorWindow();
        editor.Form_Activate();
        return editor;
    }
    // Loads a picture through the open dialog of the insert (0) or the base (1) picture.
    void load(form9 &editor, int which, const QImage &picture, const QString &name)
    {
        dialogs.answer(writePicture(picture, name));
        editor.Command1_Click(which);
    }
    form9 &openWith(const QImage &base, const QImage &insert)
    {
        form9 &editor = openEditor();
        load(editor, 1, base, QStringLiteral("base.bmp"));
        load(editor, 0, insert, QStringLiteral("insert.bmp"));
        return editor;
    }
};

namespace editor_pictures
{
constexpr Colour kGreen = rgb(0, 160, 0);
constexpr Colour kRed = rgb(220, 0, 0);
constexpr Colour kBlue = rgb(0, 0, 200);

inline std::function<Colour(int, int)> all(Colour c)
{
    return [c](int, int) { return c; };
}
// A base whose left half is a pure-yellow hole, blue elsewhere.
inline QImage leftHoleBase()
{
    return pixels::pictureOf(640, 480, [](int x, int) { return x < 320 ? kPureYellow : kBlue; });
}
inline QImage plain(Colour c)
{
    return pixels::plainPicture(640, 480, c);
}
} // namespace editor_pictures
