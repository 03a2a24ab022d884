#include "main_window/form1.h"

#include "export/preview_animation.h"
#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/platform.h"
#include "state/program_state.h"

namespace
{
// The main window animates two pictures.
constexpr int kPictureCount = 2;
} // namespace

void form1::mnusaveanim_Click()
{
    SaveAnimation();
}

// The frames are the preview's own, one whole cycle. A cancelled dialog ends the command
// silently; a file that could not be written is reported.
void form1::SaveAnimation()
{
    runSilently([&] {
        const QString path =
            platform_.dialogs.showSave(animationSaveRequest(state_.vars.appFolder));
        animation::savePreviewAnimation(state_.main.Picture3.image(), int(state_.vars.lineWidth),
                                        kPictureCount, path, platform_.messages);
    });
}
