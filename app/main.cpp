#include "main_window/form1.h"
#include "platform/platform.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_interval_timer.h"
#include "platform/qt_print_service.h"
#include "state/program_state.h"
#include "ui/controls.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "lintaro: no display found. Start it inside a desktop session, or\n"
                             "without one under a virtual display:\n"
                             "  xvfb-run -a -s \"-screen 0 1280x1024x24\" lintaro\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lintaro"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.lintaro.Lintaro"));
    installFontSubstitutions();
    QApplication::setFont(gothicFont(9));
    QApplication::setWindowIcon(stripedIcon());

    ProgramState state;
    QtFileDialogs dialogs;
    QtPrintService printer;
    QtAppServices appServices;
    QtMessageService messages;
    Platform platform{dialogs, printer, appServices,
                      [] { return std::make_unique<QtIntervalTimer>(); }, messages};

    form1 mainWindow(state, platform);
    mainWindow.show();
    return app.exec();
}
