#include "cli/cli_app.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

// lintaro-cli: the composing and exporting of the windows, without a display.
int main(int argc, char *argv[])
{
    // The print sheet draws text into its PDF, which needs the fonts of a GUI application;
    // the offscreen platform gives them without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lintaro-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LINTARO_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return cli::run(QCoreApplication::arguments(), out, err);
}
