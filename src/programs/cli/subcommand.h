#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QTextStream>

namespace cli
{

class Progress;

// Where a command's text goes: standard output for what was asked (help), standard
// error for progress and failures.
struct Streams {
    QTextStream &out;
    QTextStream &err;
};

// One command of lintaro-cli ("compose", ...). The program parses its options (the
// common -h/--help and -q/--quiet are added for every command) and then runs it. A command
// throws UsageError for what the parser cannot check, and returns the exit status: 0 when
// everything was written, 1 when a file could not be read or written.
struct Subcommand {
    QString name;
    QString synopsis; // after "lintaro-cli ", e.g. "compose [options] FRAME1 FRAME2 ..."
    QString summary;  // one line for the overview
    void (*addOptions)(QCommandLineParser &parser);
    int (*run)(const QCommandLineParser &parser, Progress &progress);
};

} // namespace cli
