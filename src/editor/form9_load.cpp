#include "editor/form9.h"
#include "main_window/place_fitted.h"
#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/picture_file.h"
#include "platform/platform.h"
#include "state/program_state.h"

namespace {
const QString kPictureFilter = QStringLiteral("(*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg");
} // namespace

void form9::LoadInsertPicture()
{
    // The zoom and offsets are reset even when the dialog is then cancelled.
    ResetEditor();
    runSilently([&] {
        const QString path = platform_.dialogs.showOpen(
            FileDialogRequest{kPictureFilter, state_.vars.appFolder, QString(), 0});
        ClearInsertSurface();
        Image1.setPicture(QImage());
        Image10.setPicture(QImage());
        Picture7.setPicture(QImage());
        Picture1.setPicture(QImage());
        // Decoded once; measuring and placing use the same picture. It is fitted into
        // Picture1 at its current size, which a zoom may have changed.
        const QImage picture = loadPicture(path);
        Picture7.setPicture(picture);
        PlaceFitted(picture, Picture1, PlacementTools{Picture7, Image6}, state_.vars);
        Image1.setPicture(Picture1.image());
        Image10.setPicture(Picture1.image());
    });
}

void form9::LoadBasePicture()
{
    runSilently([&] {
        const QString path = platform_.dialogs.showOpen(
            FileDialogRequest{kPictureFilter, state_.vars.appFolder, QString(), 0});
        ClearBaseSurface();
        Image2.setPicture(QImage());
        Picture7.setPicture(QImage());
        Picture2.setPicture(QImage());
        // A file that cannot be read ends the load here: the masks still describe the
        // previous base picture.
        const QImage picture = loadPicture(path);
        Picture7.setPicture(picture);
        PlaceFitted(picture, Picture2, PlacementTools{Picture7, Image6}, state_.vars);
        Image2.setPicture(Picture2.image());
        ClearMasks();
        ClearInverseMasks();
        BuildTransparencyMask();
    });
}
