#include "editor/form9.h"
#include "main_window/place_fitted.h"
#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/picture_file.h"
#include "platform/platform.h"
#include "state/program_state.h"

// Both loaders decode a file once, no finer than the surface it is fitted onto needs (a
// camera photograph is decoded reduced); measuring and placing use that one picture.

DecodedPicture form9::DecodeForInsert(const QString &path) const
{
    return loadPictureFor(path, QSize(Picture1.width(), Picture1.height()));
}

DecodedPicture form9::DecodeForBase(const QString &path) const
{
    return loadPictureFor(path, QSize(Picture2.width(), Picture2.height()));
}

void form9::LoadInsertPicture()
{
    // The zoom and offsets are reset even when the dialog is then cancelled.
    ResetEditor();
    runSilently([&] {
        const QString path = platform_.dialogs.showOpen(pictureOpenRequest(state_.vars.appFolder));
        EmptyInsertPicture();
        PlaceInsertPicture(DecodeForInsert(path));
    });
}

void form9::LoadBasePicture()
{
    runSilently([&] {
        const QString path = platform_.dialogs.showOpen(pictureOpenRequest(state_.vars.appFolder));
        // A file that cannot be read ends the load after emptying: the masks still
        // describe the previous base picture.
        EmptyBasePicture();
        PlaceBasePicture(DecodeForBase(path));
    });
}

// A picture file dropped on a thumbnail loads as if chosen in that loader's dialog; a file
// that does not decode is refused before anything changes.
void form9::Image1_Drop(const QString &path)
{
    DecodedPicture decoded;
    if (!runSilently([&] { decoded = DecodeForInsert(path); }))
        return;
    ResetEditor();
    runSilently([&] {
        EmptyInsertPicture();
        PlaceInsertPicture(decoded);
    });
}

void form9::Image2_Drop(const QString &path)
{
    DecodedPicture decoded;
    if (!runSilently([&] { decoded = DecodeForBase(path); }))
        return;
    runSilently([&] {
        EmptyBasePicture();
        PlaceBasePicture(decoded);
    });
}

void form9::EmptyInsertPicture()
{
    ClearInsertSurface();
    Image1.setPicture(QImage());
    Image10.setPicture(QImage());
    Picture7.setPicture(QImage());
    Picture1.setPicture(QImage());
}

// Fits the picture into Picture1 at its current size, which a zoom may have changed, and
// keeps the copy every zoom and move redraws from.
void form9::PlaceInsertPicture(const DecodedPicture &decoded)
{
    Picture7.setPicture(decoded.picture, decoded.naturalSize);
    PlaceFitted(decoded.picture, Picture1, PlacementTools{Picture7, Image6}, state_.vars);
    Image1.setPicture(Picture1.image());
    Image10.setPicture(Picture1.image());
}

void form9::EmptyBasePicture()
{
    ClearBaseSurface();
    Image2.setPicture(QImage());
    Picture7.setPicture(QImage());
    Picture2.setPicture(QImage());
}

void form9::PlaceBasePicture(const DecodedPicture &decoded)
{
    Picture7.setPicture(decoded.picture, decoded.naturalSize);
    PlaceFitted(decoded.picture, Picture2, PlacementTools{Picture7, Image6}, state_.vars);
    Image2.setPicture(Picture2.image());
    ClearMasks();
    ClearInverseMasks();
    BuildTransparencyMask();
}
