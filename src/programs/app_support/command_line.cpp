#include "app_support/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

namespace
{

const QString kProgram = QStringLiteral("lintaro");

// The options every Qt GUI program understands; the application object removes them from
// its arguments itself. A session manager restarts the program with -session.
void acceptQtOptions(QCommandLineParser &parser)
{
    const char *withValue[] = {"platform",        "platformpluginpath", "platformtheme", "plugin",
                               "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
                               "style",           "stylesheet",         "display"};
    for (const char *name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    QCommandLineOption reverse(QStringLiteral("reverse"));
    reverse.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(reverse);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's own options are single words after one dash ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Makes stripe animations from two pictures."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and exits."));
    parser.addOption(help);
    parser.addOption(version);
    acceptQtOptions(parser);
    parser.addPositionalArgument(QStringLiteral("PICTURE1"),
                                 QStringLiteral("Picture file loaded into picture 1."));
    parser.addPositionalArgument(QStringLiteral("PICTURE2"),
                                 QStringLiteral("Picture file loaded into picture 2."));

    CommandLine command;
    if (!parser.parse(arguments)) {
        command.action = CommandLine::Action::Refuse;
        command.message = parser.errorText();
        return command;
    }
    if (parser.isSet(help)) {
        command.action = CommandLine::Action::ShowHelp;
        // The usage line names the program as it is installed, however it was started.
        const QString text = parser.helpText();
        command.message =
            QStringLiteral("Usage: %1 [options] [PICTURE1 [PICTURE2]]").arg(kProgram) +
            text.mid(text.indexOf(QLatin1Char('\n')));
        return command;
    }
    if (parser.isSet(version)) {
        command.action = CommandLine::Action::ShowVersion;
        command.message =
            QStringLiteral("Lintaro %1\n").arg(QCoreApplication::applicationVersion());
        return command;
    }
    command.pictures = parser.positionalArguments();
    while (command.pictures.size() > 2)
        command.ignored.prepend(command.pictures.takeLast());
    return command;
}

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QFile::decodeName(argv[i]));
    return arguments;
}

int answerCommandLine(const CommandLine &command, std::FILE *out, std::FILE *err)
{
    switch (command.action) {
    case CommandLine::Action::ShowHelp:
    case CommandLine::Action::ShowVersion:
        std::fputs(command.message.toLocal8Bit().constData(), out);
        return 0;
    case CommandLine::Action::Refuse:
        std::fprintf(err, "%s: %s\nTry '%s --help' for more information.\n", qPrintable(kProgram),
                     command.message.toLocal8Bit().constData(), qPrintable(kProgram));
        return 2;
    case CommandLine::Action::Start:
        break;
    }
    return 0;
}
