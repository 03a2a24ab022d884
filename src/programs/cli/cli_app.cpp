#include "cli/cli_app.h"

#include "cli/cli_errors.h"
#include "cli/compose_command.h"
#include "cli/frame_options.h"
#include "cli/progress.h"
#include "cli/sheet_command.h"
#include "cli/subcommand.h"

#include <QCoreApplication>

#include <exception>
#include <new>
#include <vector>

namespace cli
{

namespace
{

// Every command of the program, in the order the help lists them. A new command is one
// more line here and a file of its own beside compose_command.cpp.
const std::vector<Subcommand> &commands()
{
    static const std::vector<Subcommand> table{composeCommand(), sheetCommand()};
    return table;
}

const QString kProgram = QStringLiteral("lintaro-cli");

void addCommonOptions(QCommandLineParser &parser, const Subcommand &command)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    // Qt's own help option would add --help-all, which lists Qt's options as well.
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("This help.")});
    parser.addOption(
        {{QStringLiteral("q"), QStringLiteral("quiet")}, QStringLiteral("No progress.")});
    command.addOptions(parser);
}

// The command's synopsis and its options as the parser lists them.
QString commandUsage(const Subcommand &command)
{
    QCommandLineParser parser;
    addCommonOptions(parser, command);
    QString options = parser.helpText();
    options = options.mid(options.indexOf(QStringLiteral("Options:")));
    return QStringLiteral("Usage: %1 %2\n%3\n\n%4")
        .arg(kProgram, command.synopsis, command.summary, options);
}

QString overallUsage()
{
    QString text = QStringLiteral("Usage: %1 COMMAND [options] ...\n"
                                  "       %1 --help | --version\n\nCommands:\n")
                       .arg(kProgram);
    for (const Subcommand &command : commands())
        text += QStringLiteral("  %1  %2\n").arg(command.name, -10).arg(command.summary);
    for (const Subcommand &command : commands())
        text += QLatin1Char('\n') + commandUsage(command);
    return text;
}

// The reason on one line and where the help is, not the help itself: the reason would
// scroll away above it.
int usageError(QTextStream &err, const QString &reason, const QString &command = QString())
{
    const QString help = command.isEmpty() ? kProgram : kProgram + QLatin1Char(' ') + command;
    err << kProgram << ": " << reason << "\nTry '" << help << " --help'\n";
    err.flush();
    return 2;
}

int runCommand(const Subcommand &command, const QStringList &arguments, QTextStream &out,
               QTextStream &err)
{
    QCommandLineParser parser;
    addCommonOptions(parser, command);
    // The parser takes the program's name first; the command's own name is not an argument.
    QStringList rest{arguments.constFirst()};
    rest << expandOptionalValues(arguments.mid(2));
    if (!parser.parse(rest))
        return usageError(err, parser.errorText(), command.name);
    if (parser.isSet(QStringLiteral("help"))) {
        out << commandUsage(command);
        out.flush();
        return 0;
    }
    try {
        // Half a second from the program's start, not from here: the time it took to start
        // counts for the user as well.
        Progress progress(err, parser.isSet(QStringLiteral("quiet")),
                          Progress::fromProgramStart(std::chrono::milliseconds(500)));
        return command.run(parser, progress);
    } catch (const UsageError &e) {
        return usageError(err, e.reason(), command.name);
    }
}

} // namespace

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString first = arguments.value(1);
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        out << overallUsage();
        out.flush();
        return 0;
    }
    if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
        out << kProgram << ' ' << QCoreApplication::applicationVersion() << '\n';
        out.flush();
        return 0;
    }
    if (first.isEmpty())
        return usageError(err, QStringLiteral("a command is needed"));
    for (const Subcommand &command : commands()) {
        if (command.name != first)
            continue;
        // Whatever goes wrong is reported, never a crash: the outputs write atomically, so
        // a file is either whole or as it was.
        try {
            return runCommand(command, arguments, out, err);
        } catch (const std::bad_alloc &) {
            err << kProgram << ": not enough memory" << Qt::endl;
        } catch (const std::exception &e) {
            err << kProgram << ": " << e.what() << Qt::endl;
        }
        return 1;
    }
    return usageError(err, QStringLiteral("unknown command \"%1\"").arg(first));
}

} // namespace cli
