#pragma once

#include "cli/subcommand.h"

namespace cli
{

// lintaro-cli sheet: the print sheet of 2 to 8 frames at true size as a PDF (the picture at
// the printer's resolution, then its lattice), the lattice alone as SVG, or the calibration
// page.
Subcommand sheetCommand();

} // namespace cli
