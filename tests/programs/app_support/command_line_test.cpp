#include "app_support/command_line.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace
{

using Action = CommandLine::Action;

TEST(CommandLineParsing, PicturesOptionsAndRefusals)
{
    struct Case {
        QStringList arguments;
        Action action;
        QStringList pictures, ignored;
        QString inMessage;
    };
    const Case cases[] = {
        {{}, Action::Start, {}, {}, {}},
        {{"a.bmp"}, Action::Start, {"a.bmp"}, {}, {}},
        {{"a.bmp", "写真 2.jpg"}, Action::Start, {"a.bmp", "写真 2.jpg"}, {}, {}},
        // A file manager passes every selected file; the first two are loaded.
        {{"a.bmp", "b.gif", "c.png", "d.tif"},
         Action::Start,
         {"a.bmp", "b.gif"},
         {"c.png", "d.tif"},
         {}},
        // A file that does not exist is still a picture to load; the load fails as usual.
        {{"/no/such/file.jpg"}, Action::Start, {"/no/such/file.jpg"}, {}, {}},
        // Qt's own options go to the application object; "--" ends the options.
        {{"-platform", "offscreen", "-session", "x1", "a.bmp"}, Action::Start, {"a.bmp"}, {}, {}},
        {{"--", "-dash.bmp"}, Action::Start, {"-dash.bmp"}, {}, {}},
        {{"--help"}, Action::ShowHelp, {}, {}, "lintaro [options] [PICTURE1 [PICTURE2]]"},
        {{"a.bmp", "-h"}, Action::ShowHelp, {}, {}, "PICTURE2"},
        {{"--version"}, Action::ShowVersion, {}, {}, "Lintaro"},
        {{"--bogus", "a.bmp"}, Action::Refuse, {}, {}, "Unknown option 'bogus'"},
        {{"-x"}, Action::Refuse, {}, {}, "Unknown option 'x'"},
        {{"-platform"}, Action::Refuse, {}, {}, "platform"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine command = parseCommandLine(QStringList{"lintaro"} + c.arguments);
        EXPECT_EQ(command.action, c.action);
        EXPECT_EQ(command.pictures, c.pictures);
        EXPECT_EQ(command.ignored, c.ignored);
        EXPECT_TRUE(command.message.contains(c.inMessage)) << command.message.toStdString();
    }
}

// The program itself answers help, version and a wrong option without a display: a wrong
// option ends with status 2 before it looks for one (which would end with status 1).
TEST(CommandLineParsing, ProgramAnswersWithoutADisplay)
{
    struct Case {
        QStringList arguments;
        int status;
        const char *out, *err;
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: lintaro [options] [PICTURE1 [PICTURE2]]", ""},
        {{"--version"}, 0, "Lintaro 1.", ""},
        {{"--bogus", "a.bmp"}, 2, "", "lintaro: Unknown option 'bogus'."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(LINTARO_BINARY_DIR "/lintaro"), c.arguments);
        ASSERT_TRUE(process.waitForFinished(10000)) << process.errorString().toStdString();
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.status) << err.toStdString();
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.out))) << out.toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.err))) << err.toStdString();
        EXPECT_EQ(out.isEmpty(), *c.out == '\0');
        EXPECT_EQ(err.isEmpty(), *c.err == '\0') << err.toStdString();
    }
}

} // namespace
