#pragma once

#include "sources/frame_source.h"

#include <memory>

namespace sources
{

// A video FFmpeg reads (MP4, WebM, MOV, MKV, AVI, ...): its frames in the range, in the
// order they are shown. Opening reads the headers and counts the video stream's packets
// without decoding any; a header claiming a frame larger than the largest video frame or
// more frames than a source may have is refused before anything is decoded. Throws
// SourceError, "not a picture, video or folder" when FFmpeg finds no video in it.
std::unique_ptr<FrameSource> openVideo(const QString &path, const TimeRange &range);

} // namespace sources
