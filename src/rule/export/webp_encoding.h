#pragma once

#include "export/animation_file.h"

class QIODevice;

namespace animation
{

// Encodes the frames as a looping, lossless animated WebP onto `out`. Throws
// std::runtime_error with the reason on failure.
void writeWebP(int count, const FrameSource &frameAt, int delayMs, QIODevice &out);

} // namespace animation
