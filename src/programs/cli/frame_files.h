#pragma once

#include "cli/frame_options.h"

#include <QImage>

#include <optional>

namespace cli
{

class Progress;

// Loads every frame of the set, fits and centres it on a white canvas and composes them
// by the frames rule. The frames are taken one at a time, so at most one decoded picture
// and one fitted canvas are held beside the composed picture. Throws InputNotRead naming
// the first frame that cannot be read, and std::bad_alloc when a canvas does not fit in
// memory.
QImage composeFrameFiles(const FrameSet &set, Progress &progress);

// The same for a command: a frame that cannot be read or a canvas too large for the memory
// is told on the progress stream, with nothing written, and gives no picture.
std::optional<QImage> composeFrameFilesOrTell(const FrameSet &set, Progress &progress);

} // namespace cli
