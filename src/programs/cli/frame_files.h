#pragma once

#include "cli/frame_options.h"
#include "frames/frame_bands.h"
#include "shapes/shape_rule.h"
#include "sources/frame_preparation.h"
#include "sources/frame_sequence.h"

#include <QImage>

#include <memory>
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

// The picked frames decoded and made ready for the canvas, and their composition by the
// frames rule made a band of rows at a time: only the decoded frames are held (24-bit) and
// the bands in flight.
struct FrameBands {
    std::vector<std::unique_ptr<sources::PreparedFrame>> frames;
    std::unique_ptr<frames::BandComposer> composer;
};

// Decodes each picked frame (the next one decoding on a second thread while this one is
// made ready). Throws InputNotRead naming the first frame that cannot be read, and
// std::bad_alloc when the frames do not fit in memory.
std::unique_ptr<FrameBands> prepareFrameFiles(const FrameSet &set, PickedFrames &picked,
                                              Progress &progress);

// The same composed whole. Throws like prepareFrameFiles, and std::bad_alloc when the canvas
// does not fit in memory.
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
std::unique_ptr<FrameBands> prepareFrameFilesOrTell(const FrameSet &set, PickedFrames &picked,
                                                    Progress &progress);

} // namespace cli
