#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// Animated pictures for sharing a preview: every frame shown for the same time, looping
// for ever. GIF holds 256 colours, chosen for the whole animation with pure black and pure
// white kept exact; WebP is lossless and decodes back to exactly the frames given.
namespace animation
{

enum class Format { Gif, WebP };

// The format a file name asks for: .gif or .webp, in any case; nothing for other names.
std::optional<Format> FormatFor(const QString &path);

// Frame `index` of the animation, 0 .. count - 1. Every frame has the same size. Frames
// are asked for one at a time (GIF asks for each twice: once to choose the palette, once
// to write), so a long animation of large frames never has to be held whole.
using FrameSource = std::function<QImage(int index)>;

// Writes `count` frames, each shown for delayMs, as an endlessly looping animation in the
// format the name asks for. The file is written completely before it replaces an
// existing one. Throws FileNotWritten with the reason on failure, a name of another
// format included. A sources::Cancelled thrown by `frameAt` passes on, with no file written.
void saveAnimation(int count, const FrameSource &frameAt, int delayMs, const QString &path);
void saveAnimation(const std::vector<QImage> &frames, int delayMs, const QString &path);

} // namespace animation
