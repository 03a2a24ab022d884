#pragma once

#include "export/animation_file.h"

class QIODevice;

namespace animation
{

// Encodes the frames as a looping GIF89a onto `out`: one palette of at most 256 colours
// for all frames, from libimagequant, that holds pure black and pure white exactly; each
// frame whole, shown for delayMs rounded to hundredths of a second. Throws
// std::runtime_error with the reason on failure.
void writeGif(int count, const FrameSource &frameAt, int delayMs, QIODevice &out);

} // namespace animation
