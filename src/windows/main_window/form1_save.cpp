#include "main_window/form1.h"

#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/file_identity.h"
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
// already written stays. A name that reaches the lattice's own file (「格子模様.bmp」 itself,
// or a link to it) is refused before anything is written: the lattice would replace the
// picture just saved.
void form1::SaveComposed()
{
    reportingUnwrittenFiles(platform_.messages, [&] {
        const QString path = platform_.dialogs.showSave(bitmapSaveRequest(state_.vars.appFolder));
        // The lattice goes beside the picture: into the chosen file's folder, whatever
        // the working folder is.
        const QString folder = QFileInfo(QDir::fromNativeSeparators(path)).absolutePath();
        const QString latticePath = QDir(folder).filePath(kLatticeFileName);
        if (fileKey(path) == fileKey(latticePath))
            throw FileNotWritten(path.toStdString(), "「格子模様.bmp」には格子模様が保存されます。"
                                                     "絵は別の名前で保存してください。");
        savePictureAsBmp(state_.main.Picture3.image(), path);
        savePictureAsBmp(state_.main.Picture4.image(), latticePath);
    });
}
