#include "main_window/form1.h"

#include "platform/command_error.h"
#include "platform/picture_file.h"
#include "state/program_state.h"

void form1::Image4_Drop(const QString &path)
{
    DropPicture(0, path);
}

void form1::Image5_Drop(const QString &path)
{
    DropPicture(1, path);
}

// A picture file dropped on a thumbnail loads into that slot as if it had been chosen in the
// slot's open dialog. Anything that does not decode is refused before anything changes.
void form1::DropPicture(int slot, const QString &path)
{
    DecodedPicture decoded;
    if (!runSilently([&] { decoded = DecodeForSlot(slot, path); }))
        return;
    StopAnimationPrologue();
    runSilently([&] {
        ClearSlot(slot);
        PlaceInSlot(slot, decoded.picture, decoded.naturalSize);
        state_.sources[slot].fromFile(path);
    });
}
