// The first presses after start-up, each in a fresh process, beside the same press once warm:
// whatever start-up left undone, the first press pays for. The program starts as lintaro does
// (same window, services and fonts), shows its window and waits for it to settle, then
//   first_press compose   presses "合成" on the empty slots, twice;
//   first_press load      fills both slots with a picture, then presses "合成" twice.
// Prints one line: for each step the microseconds of its handler and of the repaint that
// shows it, and the page faults of both (memory touched for the first time).

#include "app_support/program_setup.h"
#include "main_window/form1.h"
#include "state/program_state.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

namespace
{

QImage noisyPicture(int width, int height, unsigned seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(int(random() & 0xFF), (y * 255 / height) & 0xFF, (x * 255 / width));
    }
    return image;
}

long pageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

double microseconds(const std::function<void()> &step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "compose";
    if (mode != "compose" && mode != "load") {
        std::fprintf(stderr, "usage: lintaro_first_press [compose|load]\n");
        return 2;
    }
    QApplication app(argc, argv);
    setUpProgramLook(app);

    ProgramState state;
    ProgramServices services;
    form1 window(state, services.platform);
    window.show();
    // Start-up is over once the window has been shown and the events have died down.
    QElapsedTimer shown;
    shown.start();
    while (shown.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 10);

    const auto press = [&](const std::function<void()> &handler) {
        const long faults = pageFaults();
        const double work = microseconds(handler);
        const double paint = microseconds([&] { window.repaint(); });
        std::printf(" %.0f %.0f %ld", work, paint, pageFaults() - faults);
    };
    if (mode == "load") {
        const QImage one = noisyPicture(1000, 750, 1);
        const QImage two = noisyPicture(1000, 750, 2);
        press([&] { window.FillSlot(0, one); });
        press([&] { window.FillSlot(1, two); });
    }
    press([&] { window.Command1_Click(2); });
    press([&] { window.Command1_Click(2); });
    std::printf("\n");
    return 0;
}
