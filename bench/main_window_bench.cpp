// The main window's work against the plain copy of the memory it touches: composing both
// sizes, one frame of the animation preview, and loading a large photograph into a slot.
// Each operation runs beside a memcpy of the bytes its surfaces hold, so the ratio tells
// how far the operation is from moving its memory once.

#include "main_window/form1.h"
#include "platform/app_services.h"
#include "platform/platform.h"
#include "platform/qt_print_service.h"
#include "platform/scripted_file_dialogs.h"
#include "state/program_state.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace
{

// A whole program with doubles for the dialogs and the clock.
struct Program {
    ProgramState state;
    ScriptedFileDialogs dialogs;
    QtPrintService printer;
    FakeAppServices app;
    RecordedMessages messages;
    ManualTimer *clock = nullptr;
    std::unique_ptr<Platform> platform;
    std::unique_ptr<form1> window;

    Program()
    {
        platform = std::make_unique<Platform>(Platform{dialogs, printer, app,
                                                       [this] {
                                                           auto timer =
                                                               std::make_unique<ManualTimer>();
                                                           clock = timer.get();
                                                           return timer;
                                                       },
                                                       messages});
        window = std::make_unique<form1>(state, *platform);
    }
};

QImage noisyPicture(int width, int height, unsigned seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random() % 32);
            line[x] = qRgb((x * 255 / width + noise) & 0xFF, (y * 255 / height + noise) & 0xFF,
                           ((x + y) / 16 * 37 + noise) & 0xFF);
        }
    }
    return image;
}

qsizetype bytesOf(std::initializer_list<const Surface *> surfaces)
{
    qsizetype bytes = 0;
    for (const Surface *s : surfaces)
        bytes += s->image().sizeInBytes();
    return bytes;
}

// The baseline: one plain copy of that many bytes.
void copyBytes(benchmark::State &run, qsizetype bytes)
{
    std::vector<char> from(static_cast<size_t>(bytes), 1);
    std::vector<char> to(static_cast<size_t>(bytes));
    for (auto _ : run) {
        std::memcpy(to.data(), from.data(), size_t(bytes));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    run.SetBytesProcessed(run.iterations() * bytes);
    run.counters["MB"] = double(bytes) / 1e6;
}

qsizetype composeBytes(const MainSurfaces &s)
{
    return bytesOf({&s.Picture1, &s.Picture2, &s.Picture3, &s.Picture8[0], &s.Picture8[1],
                    &s.Picture9[0], &s.Picture9[1], &s.Picture10[0], &s.Picture10[1],
                    &s.Picture11});
}

qsizetype frameBytes(const MainSurfaces &s)
{
    return bytesOf({&s.Picture5[2], &s.Picture3, &s.Picture4});
}

void BM_ComposePictures(benchmark::State &run)
{
    Program p;
    p.window->FillSlot(0, noisyPicture(320, 240, 1));
    p.window->FillSlot(1, noisyPicture(320, 240, 2));
    for (auto _ : run) {
        p.window->ComposePictures();
        benchmark::ClobberMemory();
    }
    run.SetBytesProcessed(run.iterations() * composeBytes(p.state.main));
}
BENCHMARK(BM_ComposePictures)->Unit(benchmark::kMicrosecond);

void BM_ComposePictures_memcpy(benchmark::State &run)
{
    Program p;
    copyBytes(run, composeBytes(p.state.main));
}
BENCHMARK(BM_ComposePictures_memcpy)->Unit(benchmark::kMicrosecond);

// One tick of Timer1: the lattice moves on a pixel and the frame is built on the preview.
void BM_AnimationFrame(benchmark::State &run)
{
    Program p;
    p.window->FillSlot(0, noisyPicture(320, 240, 3));
    p.window->FillSlot(1, noisyPicture(320, 240, 4));
    p.window->ComposePictures();
    p.window->Command2_Click();
    SharedState &vars = p.state.vars;
    for (auto _ : run) {
        // Keep the run going: the offset stays within the run's 100 pixels.
        vars.animTicks = 0;
        if (vars.animOffset >= 100)
            vars.animOffset = 0;
        p.window->Timer1_Timer();
        benchmark::ClobberMemory();
    }
    run.SetBytesProcessed(run.iterations() * frameBytes(p.state.main));
}
BENCHMARK(BM_AnimationFrame)->Unit(benchmark::kMicrosecond);

void BM_AnimationFrame_memcpy(benchmark::State &run)
{
    Program p;
    copyBytes(run, frameBytes(p.state.main));
}
BENCHMARK(BM_AnimationFrame_memcpy)->Unit(benchmark::kMicrosecond);

// A 4000 x 3000 photograph, written once.
const QString &bigJpeg()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("big.jpg"));
        noisyPicture(4000, 3000, 5).save(file, "JPG", 90);
        return file;
    }();
    return path;
}

qsizetype loadBytes(const MainSurfaces &s)
{
    // The decoded picture itself, at its natural size, and every surface of the slot.
    return qsizetype(4000) * 3000 * 4 +
           bytesOf({&s.Picture1, &s.Picture10[0], &s.Picture8[0], &s.Picture9[0]}) +
           s.Image4.picture().sizeInBytes();
}

void BM_LoadBigJpeg(benchmark::State &run)
{
    Program p;
    const QString path = bigJpeg();
    for (auto _ : run) {
        p.dialogs.answer(path);
        p.window->OpenPicture1();
        benchmark::ClobberMemory();
    }
    if (p.state.main.Picture7.width() != 4000)
        run.SkipWithError("the picture did not load");
    run.SetBytesProcessed(run.iterations() * loadBytes(p.state.main));
}
BENCHMARK(BM_LoadBigJpeg)->Unit(benchmark::kMillisecond);

void BM_LoadBigJpeg_memcpy(benchmark::State &run)
{
    Program p;
    p.window->FillSlot(0, noisyPicture(320, 240, 6));
    copyBytes(run, loadBytes(p.state.main));
}
BENCHMARK(BM_LoadBigJpeg_memcpy)->Unit(benchmark::kMillisecond);

} // namespace
