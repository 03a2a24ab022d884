#include "main_window/form1.h"

#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/message_service.h"
#include "platform/picture_file.h"
#include "platform/platform.h"
#include "state/program_state.h"

#include <QDir>
#include <QFileInfo>

namespace
{
const QString kLatticeFileName = QStringLiteral("格子模様.bmp");
} // namespace

// Writes the composed picture under the chosen name, as typed, and its lattice sheet as
// "格子模様.bmp" in the same folder. A cancel ends the save silently; a file that cannot be
// written is named to the user, since otherwise nobody would know it is missing. A file
// already written stays.
void form1::SaveComposed()
{
    reportingUnwrittenFiles(platform_.messages, [&] {
        const QString path = platform_.dialogs.showSave(bitmapSaveRequest(state_.vars.appFolder));
        savePictureAsBmp(state_.main.Picture3.image(), path);
        // The lattice goes beside the picture: into the chosen file's folder, whatever
        // the working folder is.
        const QString folder = QFileInfo(QDir::fromNativeSeparators(path)).absolutePath();
        savePictureAsBmp(state_.main.Picture4.image(), QDir(folder).filePath(kLatticeFileName));
    });
}
