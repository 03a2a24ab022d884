// Run by the signal tests in the window program's place: its handling of SIGINT, SIGTERM
// and SIGHUP, a file half written through a temporary, then its event loop; or, given
// "busy", a GUI thread that never gets back to the loop.
#include "app_support/stop_signals.h"
#include "platform/atomic_file.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    endOnStopSignals(app);
    if (argc < 2)
        return 2;
    AtomicFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write("half") != 4)
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    if (argc > 2 && std::strcmp(argv[2], "busy") == 0)
        for (;;)
            ::pause();
    return app.exec();
}
