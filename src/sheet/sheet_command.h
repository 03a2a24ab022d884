#pragma once

#include <QStringList>

#include <ostream>

// `lintaro-cli sheet`: the print sheet from the command line.
//
//   lintaro-cli sheet [options] FRAME1 FRAME2 [FRAME3 ... FRAME8]
//   lintaro-cli sheet --calibration [--paper ...] [--landscape] [--dpi N] -o FILE.pdf
//
// Runs with the arguments after "sheet"; messages and progress go to `err`. Returns the
// exit status: 0 when everything was written, 2 for a usage error (with a one-line reason
// and the usage), 1 when an input could not be read or an output not written. Needs a
// QGuiApplication (fonts for the figures), which may run on the offscreen platform.
namespace sheet
{

extern const char *const kSheetUsage;

int runSheetCommand(const QStringList &arguments, std::ostream &err);

} // namespace sheet
