#include "main_window/form1.h"

#include "main_window/place_fitted.h"
#include "platform/command_error.h"
#include "platform/file_dialogs.h"
#include "platform/picture_file.h"
#include "platform/platform.h"
#include "state/module3.h"
#include "state/program_state.h"

void form1::OpenPicture1()
{
    OpenPicture(0);
}

void form1::OpenPicture2()
{
    OpenPicture(1);
}

void form1::OpenPicture(int slot)
{
    runSilently([&] {
        const QString path = platform_.dialogs.showOpen(pictureOpenRequest(state_.vars.appFolder));
        LoadPictureFile(slot, path);
    });
}

bool form1::OpenPictureFile(int slot, const QString &path)
{
    StopAnimationPrologue();
    return runSilently([&] { LoadPictureFile(slot, path); });
}

void form1::LoadPictureFile(int slot, const QString &path)
{
    ClearSlot(slot);
    const DecodedPicture decoded = DecodeForSlot(slot, path);
    PlaceInSlot(slot, decoded.picture, decoded.naturalSize);
    state_.sources[slot].fromFile(path);
}

// The file is decoded once; the measuring surface and both placements use it. A large
// photograph is decoded only as finely as the larger canvas needs.
DecodedPicture form1::DecodeForSlot(int slot, const QString &path) const
{
    const MainSurfaces &s = state_.main;
    const QSize largest =
        QSize(s.Picture8[slot].width(), s.Picture8[slot].height())
            .expandedTo(QSize(s.Picture9[slot].width(), s.Picture9[slot].height()));
    return loadPictureFor(path, largest);
}

void form1::FillSlot(int slot, const QImage &picture)
{
    ClearSlot(slot);
    PlaceInSlot(slot, picture);
    state_.sources[slot].fromPicture(picture);
}

void form1::ClearSlot(int slot)
{
    MainSurfaces &s = state_.main;
    if (slot == 0)
        Module3::DrawStripeMaskA(state_);
    else
        Module3::DrawStripeMaskB(state_);
    PictureHolder &thumbnail = slot == 0 ? s.Image4 : s.Image5;
    thumbnail.setPicture(QImage());
    s.Picture7.setPicture(QImage());
    s.Picture8[slot].clear();
    s.Picture9[slot].clear();
    state_.sources[slot].clear();
}

void form1::PlaceInSlot(int slot, const QImage &picture, QSize naturalSize)
{
    MainSurfaces &s = state_.main;
    PictureHolder &thumbnail = slot == 0 ? s.Image4 : s.Image5;
    // The measuring surface takes the size of the picture in the file even when fewer
    // pixels were decoded; the placement then stretches the decoded pixels over the
    // fitted size, as it would the full picture.
    s.Picture7.setPicture(picture, naturalSize);
    const PlacementTools tools{s.Picture7, s.Image6};
    PlaceFitted(picture, s.Picture8[slot], tools, state_.vars);
    PlaceFitted(picture, s.Picture9[slot], tools, state_.vars);
    thumbnail.setPicture(s.Picture8[slot].image());
}
