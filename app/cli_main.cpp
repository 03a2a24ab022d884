#include "cli/cli_app.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

// lintaro-cli: the composing and exporting of the windows, without a display.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lintaro-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LINTARO_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return cli::run(QCoreApplication::arguments(), out, err);
}
