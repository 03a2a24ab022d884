#include "cli/cli_app.h"
#include "platform/temporary_names.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

namespace
{

QtMessageHandler qtHandler = nullptr;

// The GUI application's note that no runtime folder is set says nothing to the user of a
// command line: leave it out of standard error, which carries the command's own messages.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qtHandler(type, context, text);
}

} // namespace

// lintaro-cli: the composing and exporting of the windows, without a display.
int main(int argc, char *argv[])
{
    // The print sheet draws text into its PDF, which needs the fonts of a GUI application;
    // the offscreen platform gives them without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(quietHandler);
    // Stopped by the user or the system, the program leaves no temporary file behind.
    temporary_names::removeOnSignals();
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lintaro-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LINTARO_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return cli::run(QCoreApplication::arguments(), out, err);
}
