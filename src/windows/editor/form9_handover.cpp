#include "editor/form9.h"
#include "ui/main_window_link.h"
#include "platform/command_error.h"

// The editor's composed picture goes into a slot of the main window exactly as a loaded
// file would; the editor itself is only read.

void form9::TakeEditorPicture1()
{
    runSilently([&] { main_.FillSlot(0, EditorSurfaces::Picture3.image()); });
}

void form9::TakeEditorPicture2()
{
    runSilently([&] { main_.FillSlot(1, EditorSurfaces::Picture3.image()); });
}
