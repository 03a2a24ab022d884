#include "app_support/command_line.h"
#include "app_support/command_line_pictures.h"
#include "app_support/program_setup.h"
#include "app_support/stop_signals.h"
#include "main_window/form1.h"
#include "state/program_state.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Lintaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LINTARO_VERSION));
    // Help, version and a wrong option are answered without a display or a window.
    const CommandLine command = parseCommandLine(argumentList(argc, argv));
    if (command.action != CommandLine::Action::Start)
        return answerCommandLine(command, stdout, stderr);

    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "lintaro: no display found. Start it inside a desktop session, or\n"
                             "without one under a virtual display:\n"
                             "  xvfb-run -a -s \"-screen 0 1280x1024x24\" lintaro\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("io.github.lintaro.Lintaro"));
    setUpProgramLook(app);
    // Stopped by the user or the system, the program leaves no temporary file behind.
    endOnStopSignals(app);

    ProgramState state;
    ProgramServices services;
    form1 mainWindow(state, services.platform);
    mainWindow.show();
    openCommandLinePicturesLater(mainWindow, command.pictures, command.ignored);
    return app.exec();
}
