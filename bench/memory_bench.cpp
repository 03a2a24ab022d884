// The memory a load into picture 1 leaves held, in MB of resident memory: a few hundred
// bytes whose header claims 46000 x 46000 pixels, a 4000 x 3000 photograph and 48 MP and
// 108 MP camera photographs. Each case runs in a fresh program; the counter rss_delta_mb is what
// the process holds after the load above what it held before it, peak_delta_mb the most it
// held during the load.

#include "main_window/form1.h"
#include "platform/app_services.h"
#include "platform/platform.h"
#include "platform/qt_print_service.h"
#include "platform/scripted_file_dialogs.h"
#include "state/program_state.h"
#include "support/real_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace
{

// A figure of /proc/self/status in MB: "VmRSS:" now, "VmHWM:" the peak.
double statusMb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray name(field);
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(name.size()).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

double residentMb()
{
    return statusMb("VmRSS:");
}

// Starts a new peak from the present resident size.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void BM_ResidentAfterLoad(benchmark::State &run)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("picture.jpg"));
    const int megapixels = int(run.range(0));
    if (megapixels == 0)
        real_files::writeBytes(path, real_files::jpegClaiming(QSize(46000, 46000)));
    else
        real_files::writeJpeg(path, megapixels == 12   ? QSize(4000, 3000)
                                    : megapixels == 48 ? QSize(8000, 6000)
                                                       : QSize(12000, 9000));

    ProgramState state;
    ScriptedFileDialogs dialogs;
    QtPrintService printer;
    FakeAppServices app;
    RecordedMessages messages;
    Platform platform{dialogs, printer, app, [] { return std::make_unique<ManualTimer>(); },
                      messages};
    form1 window(state, platform);
    const double before = residentMb();
    resetPeak();
    for (auto _ : run) {
        dialogs.answer(path);
        window.OpenPicture1();
    }
    run.counters["rss_delta_mb"] = residentMb() - before;
    run.counters["peak_delta_mb"] = statusMb("VmHWM:") - before;
    run.counters["natural_mp"] =
        double(state.main.Picture7.width()) * state.main.Picture7.height() / 1e6;
}
// 0: the 46000 x 46000 claim; 12: 4000 x 3000; 48: 8000 x 6000; 108: 12000 x 9000.
BENCHMARK(BM_ResidentAfterLoad)
    ->Arg(0)
    ->Arg(12)
    ->Arg(48)
    ->Arg(108)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
