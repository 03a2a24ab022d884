#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

// What the command line asks for: lintaro [PICTURE1 [PICTURE2]].
struct CommandLine {
    enum class Action { Start, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Start;
    // Loaded into picture 1 and picture 2 once the window has started.
    QStringList pictures;
    // Pictures beyond the second (a file manager passes every selected file): not loaded.
    QStringList ignored;
    // The help text, the version line, or why the command line was refused.
    QString message;
};

// Reads the program's arguments (the first is the program itself). Needs no application
// object and no display, so help, version and errors are answered before either exists.
// Qt's own start-up options (-platform, -style, -session, ...) are accepted and left for
// the application object to take.
CommandLine parseCommandLine(const QStringList &arguments);

// The arguments as the system passed them, decoded like file names.
QStringList argumentList(int argc, char *argv[]);

// Answers a command line that does not start the window: help and version on `out` with
// status 0, a refusal on `err` with status 2.
int answerCommandLine(const CommandLine &command, std::FILE *out, std::FILE *err);
