#pragma once

#include "cli/subcommand.h"

namespace cli
{

// lintaro-cli compose: the composed picture of 2 to 8 frames, and beside it the lattice
// sheet, every preview frame and the preview as an animated GIF or WebP.
Subcommand composeCommand();

} // namespace cli
