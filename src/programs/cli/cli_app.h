#pragma once

#include <QStringList>
#include <QTextStream>

namespace cli
{

// Runs lintaro-cli with its arguments (the program's name first) and returns the exit
// status: 0 when everything was written (or help or the version was asked for), 1 when
// an input could not be read or an output not written, 2 for a usage error.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace cli
