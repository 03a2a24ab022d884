#pragma once

#include "cli/frame_options.h"
#include "shapes/shape_rule.h"
#include "sources/frame_sequence.h"

#include <QImage>

#include <optional>
#include <vector>

namespace cli
{

class Progress;

// The frames a command composes: its sources, opened, and the frames picked from them.
struct PickedFrames {
    sources::FrameSequence sequence;
    std::vector<int> picks;
};

// Opens the set's sources and picks its frames (all of 2 to 8, else --count or 6, the
// choice then said on the progress stream). When the set has no canvas size, it becomes
// the first frame's own size, made at most 10000 a side. Throws InputNotRead naming the
// first source that cannot be read, and UsageError when fewer than 2 frames are found.
PickedFrames openFrames(FrameSet &set, Progress &progress);

// Decodes each picked frame, prepares it on a canvas and composes them by the frames
// rule. The frames are taken one at a time, the next decoding while this one is fitted, so
// at most two decoded pictures and one fitted canvas are held beside the composed picture. Throws
// InputNotRead naming the first frame that cannot be read, and std::bad_alloc when a canvas does
// not fit in memory.
QImage composeFrameFiles(const FrameSet &set, PickedFrames &picked, Progress &progress);
// The same by the rule of a shape.
QImage composeFrameFiles(const FrameSet &set, PickedFrames &picked, Progress &progress,
                         const shapes::ShapeRule &rule);

// Both for a command: a source that cannot be read or a canvas too large for the memory is
// told on the progress stream, with nothing written, and gives no picture.
std::optional<PickedFrames> openFramesOrTell(FrameSet &set, Progress &progress);
std::optional<QImage> composeFrameFilesOrTell(const FrameSet &set, PickedFrames &picked,
                                              Progress &progress);
std::optional<QImage> composeFrameFilesOrTell(const FrameSet &set, PickedFrames &picked,
                                              Progress &progress, const shapes::ShapeRule &rule);

} // namespace cli
