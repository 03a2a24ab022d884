// The main window's work beside its baselines: composing both sizes at every line width
// beside one plain loop that interleaves the two pictures, one frame of the animation
// preview beside one plain AND of the composed picture and the lattice, both again at four
// times the pixels, and loading a large photograph into a slot beside the bare decoder
// reading it at the same reduced size. A memcpy of the bytes the surfaces hold tells how far
// each is from moving its memory once, and a copy touching as many bytes at both sizes tells
// how much of the growth at four times the pixels is the memory's own.

#include "main_window/form1.h"
#include "platform/app_services.h"
#include "platform/nearest_rows.h"
#include "platform/platform.h"
#include "platform/qt_print_service.h"
#include "platform/scripted_file_dialogs.h"
#include "state/module3.h"
#include "state/program_state.h"

#include <QImage>
#include <QImageReader>
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

// The large stripe surfaces Picture10 are drawn only when read, so composing moves the
// pictures and the composed pictures at both sizes and the stripe surfaces at display size.
qsizetype composeBytes(const MainSurfaces &s)
{
    return bytesOf({&s.Picture1, &s.Picture2, &s.Picture3, &s.Picture8[0], &s.Picture8[1],
                    &s.Picture9[0], &s.Picture9[1], &s.Picture11});
}

qsizetype frameBytes(const MainSurfaces &s)
{
    return bytesOf({&s.Picture5[2], &s.Picture3, &s.Picture4});
}

// Surfaces grown by `factor` in each direction, for measuring how the cost scales.
void growSurfaces(Program &p, int factor)
{
    MainSurfaces &s = p.state.main;
    for (Surface *surface : {&s.Picture1, &s.Picture2, &s.Picture3, &s.Picture4, &s.Picture5[2],
                             &s.Picture8[0], &s.Picture8[1], &s.Picture9[0], &s.Picture9[1],
                             &s.Picture10[0], &s.Picture10[1], &s.Picture11})
        surface->resize(surface->width() * factor, surface->height() * factor);
    Module3::DrawLatticeSheet(p.state);
}

// A program with two noisy pictures in its slots, at lineWidth w, its surfaces grown by factor.
void fillSlots(Program &p, int w, int factor)
{
    p.state.vars.lineWidth = w;
    p.state.vars.latticeGap = w;
    p.state.vars.latticeBar = w;
    growSurfaces(p, factor);
    MainSurfaces &s = p.state.main;
    for (int slot = 0; slot < 2; ++slot) {
        const unsigned seed = unsigned(slot) * 2 + 1;
        s.Picture8[slot].setPicture(
            noisyPicture(s.Picture8[slot].width(), s.Picture8[slot].height(), seed));
        s.Picture9[slot].setPicture(
            noisyPicture(s.Picture9[slot].width(), s.Picture9[slot].height(), seed + 1));
    }
}

void composeAt(benchmark::State &run, int factor)
{
    Program p;
    fillSlots(p, int(run.range(0)), factor);
    for (auto _ : run) {
        p.window->ComposePictures();
        benchmark::ClobberMemory();
    }
    run.SetBytesProcessed(run.iterations() * composeBytes(p.state.main));
}

void BM_ComposePictures(benchmark::State &run)
{
    composeAt(run, 1);
}
BENCHMARK(BM_ComposePictures)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

// The baseline: one plain loop that writes every pixel of both composed pictures from
// picture 1 or picture 2, choosing by a row of column masks built once per size. The large
// picture 1 is 480 rows high and is squeezed into 464 by picking rows.
void interleave(const QImage &one, const QImage &two, QImage &out, int w)
{
    const int width = out.width();
    std::vector<QRgb> fromOne(std::size_t(width), 0);
    for (int x = 0; x < width; ++x)
        fromOne[std::size_t(x)] = (x / w) % 2 == 0 ? ~0u : 0u;
    const std::vector<int> rows = nearestSamples(one.height(), out.height());
    for (int y = 0; y < out.height(); ++y) {
        const auto *__restrict a =
            reinterpret_cast<const QRgb *>(one.constScanLine(rows[std::size_t(y)]));
        const auto *__restrict b = reinterpret_cast<const QRgb *>(two.constScanLine(y));
        const QRgb *__restrict m = fromOne.data();
        auto *__restrict o = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < width; ++x)
            o[x] = (a[x] & m[x]) | (b[x] & ~m[x]);
    }
}

void interleaveAt(benchmark::State &run, int factor)
{
    Program p;
    const int w = int(run.range(0));
    fillSlots(p, w, factor);
    const MainSurfaces &s = p.state.main;
    QImage display(s.Picture3.width(), s.Picture3.height(), QImage::Format_RGB32);
    QImage large(s.Picture11.width(), s.Picture11.height(), QImage::Format_RGB32);
    for (auto _ : run) {
        interleave(s.Picture8[0].image(), s.Picture8[1].image(), display, w);
        interleave(s.Picture9[0].image(), s.Picture9[1].image(), large, w);
        benchmark::ClobberMemory();
    }
}

void BM_ComposePictures_interleave(benchmark::State &run)
{
    interleaveAt(run, 1);
}
BENCHMARK(BM_ComposePictures_interleave)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

// Four times the pixels: the cost should grow about four times.
void BM_ComposePictures_4x(benchmark::State &run)
{
    composeAt(run, 2);
}
BENCHMARK(BM_ComposePictures_4x)->Arg(2)->Unit(benchmark::kMicrosecond);
void BM_ComposePictures_4x_interleave(benchmark::State &run)
{
    interleaveAt(run, 2);
}
BENCHMARK(BM_ComposePictures_4x_interleave)->Arg(2)->Unit(benchmark::kMicrosecond);

// The first compose after start-up: each iteration builds a fresh program (not timed) and
// times its first press of "合成", so nothing is warm but what start-up itself prepared.
void BM_ComposePictures_first(benchmark::State &run)
{
    for (auto _ : run) {
        run.PauseTiming();
        {
            auto p = std::make_unique<Program>();
            fillSlots(*p, 2, 1);
            run.ResumeTiming();
            p->window->ComposePictures();
            benchmark::ClobberMemory();
            run.PauseTiming();
        }
        run.ResumeTiming();
    }
}
BENCHMARK(BM_ComposePictures_first)->Unit(benchmark::kMicrosecond);

void BM_ComposePictures_memcpy(benchmark::State &run)
{
    Program p;
    copyBytes(run, composeBytes(p.state.main));
}
BENCHMARK(BM_ComposePictures_memcpy)->Unit(benchmark::kMicrosecond);

// The memory's own share of the growth at four times the pixels: a plain copy that touches
// as many bytes as the work at that size, reading half of them and writing the other half.
void touchAt(benchmark::State &run, qsizetype (*bytes)(const MainSurfaces &))
{
    Program p;
    growSurfaces(p, int(run.range(0)));
    copyBytes(run, bytes(p.state.main) / 2);
}

void BM_ComposePictures_touch(benchmark::State &run)
{
    touchAt(run, composeBytes);
}
BENCHMARK(BM_ComposePictures_touch)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// One tick of Timer1: the lattice moves on a pixel and the frame is built on the preview.
void frameAt(benchmark::State &run, int factor)
{
    Program p;
    fillSlots(p, 2, factor);
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

// The baseline: one plain AND of the composed picture and the shifted lattice.
void andFrameAt(benchmark::State &run, int factor)
{
    Program p;
    fillSlots(p, 2, factor);
    p.window->ComposePictures();
    const QImage &composed = p.state.main.Picture3.image();
    const QImage &lattice = p.state.main.Picture4.image();
    QImage frame(composed.size(), QImage::Format_RGB32);
    const int width = frame.width();
    int offset = 0;
    for (auto _ : run) {
        offset = (offset + 1) % 100;
        for (int y = 0; y < frame.height(); ++y) {
            const auto *__restrict c = reinterpret_cast<const QRgb *>(composed.constScanLine(y));
            const auto *__restrict l =
                reinterpret_cast<const QRgb *>(lattice.constScanLine(y)) + offset;
            auto *__restrict o = reinterpret_cast<QRgb *>(frame.scanLine(y));
            for (int x = 0; x < width; ++x)
                o[x] = c[x] & l[x];
        }
        benchmark::ClobberMemory();
    }
}

void BM_AnimationFrame(benchmark::State &run)
{
    frameAt(run, 1);
}
BENCHMARK(BM_AnimationFrame)->Unit(benchmark::kMicrosecond);
void BM_AnimationFrame_and(benchmark::State &run)
{
    andFrameAt(run, 1);
}
BENCHMARK(BM_AnimationFrame_and)->Unit(benchmark::kMicrosecond);
void BM_AnimationFrame_4x(benchmark::State &run)
{
    frameAt(run, 2);
}
BENCHMARK(BM_AnimationFrame_4x)->Unit(benchmark::kMicrosecond);
void BM_AnimationFrame_4x_and(benchmark::State &run)
{
    andFrameAt(run, 2);
}
BENCHMARK(BM_AnimationFrame_4x_and)->Unit(benchmark::kMicrosecond);

void BM_AnimationFrame_memcpy(benchmark::State &run)
{
    Program p;
    copyBytes(run, frameBytes(p.state.main));
}
BENCHMARK(BM_AnimationFrame_memcpy)->Unit(benchmark::kMicrosecond);
void BM_AnimationFrame_touch(benchmark::State &run)
{
    touchAt(run, frameBytes);
}
BENCHMARK(BM_AnimationFrame_touch)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

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

// The baseline: the bare decoder reading the same file at the same reduced size, a quarter
// each way (1000 x 750), which is as finely as the 640 x 480 canvas needs.
void BM_LoadBigJpeg_decode(benchmark::State &run)
{
    const QString path = bigJpeg();
    for (auto _ : run) {
        QImageReader reader(path);
        reader.setScaledSize(QSize(1000, 750));
        QImage picture = reader.read();
        benchmark::DoNotOptimize(picture.constBits());
        if (picture.isNull())
            run.SkipWithError("the picture did not decode");
    }
}
BENCHMARK(BM_LoadBigJpeg_decode)->Unit(benchmark::kMillisecond);

void BM_LoadBigJpeg_memcpy(benchmark::State &run)
{
    Program p;
    p.window->FillSlot(0, noisyPicture(320, 240, 6));
    copyBytes(run, loadBytes(p.state.main));
}
BENCHMARK(BM_LoadBigJpeg_memcpy)->Unit(benchmark::kMillisecond);

} // namespace
