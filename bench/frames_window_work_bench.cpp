// The frames window's work at the largest canvas it does at once rather than on a thread
// of its own (800 x 600), against the same work at the ordinary 640 x 480 on a flat sheet:
// composing eight frames (fitted from pictures twice the canvas, as a slot keeps them,
// covering and cut into silhouettes by Otsu's threshold), a disc's first preview step, and
// saving the picture and its lattice as PNG. All of it must stay well under half a second.

#include "frames_window/frame_slots.h"
#include "frames_window/frames_animation.h"
#include "platform/atomic_file.h"
#include "platform/file_group.h"
#include "platform/picture_file.h"
#include "shapes/disc_rule.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

namespace
{

constexpr int kFrames = 8;

// Eight slots of pictures twice the canvas's sides, of random pixels.
std::vector<FrameSlot> filledSlots(QSize canvas)
{
    std::vector<FrameSlot> list;
    std::mt19937 random(11u);
    for (int i = 0; i < kFrames; ++i) {
        QImage image(canvas * 2, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<uint32_t *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = 0xFF000000u | (random() & 0xFFFFFFu);
        }
        list.push_back(frameFromPicture(image));
    }
    return list;
}

FramesAnimation composeAsTheWindowDoes(const std::vector<FrameSlot> &frames, QSize canvas,
                                       const shapes::ShapeRule &rule,
                                       const sources::Preparation &preparation)
{
    std::vector<QImage> fitted;
    for (const FrameSlot &frame : frames)
        fitted.push_back(fittedFrame(frame, canvas, preparation));
    FramesAnimation made;
    made.compose(fitted, rule);
    QImage first;
    made.drawFrame(first);
    return made;
}

void BM_ComposeOrdinaryFlat(benchmark::State &run)
{
    const QSize canvas(640, 480);
    const std::vector<FrameSlot> frames = filledSlots(canvas);
    for (auto _ : run) {
        FramesAnimation made =
            composeAsTheWindowDoes(frames, canvas, shapes::StraightRule(2, kFrames), {});
        benchmark::DoNotOptimize(made.composed().constBits());
    }
}
BENCHMARK(BM_ComposeOrdinaryFlat)->Unit(benchmark::kMillisecond);

// A new rule each time, as 「合成」 makes one: the disc's first step is never kept over.
void BM_ComposeQuickLimitDiscSilhouettes(benchmark::State &run)
{
    const QSize canvas(800, 600);
    const std::vector<FrameSlot> frames = filledSlots(canvas);
    sources::Preparation preparation;
    preparation.fit = sources::Fit::Cover;
    preparation.silhouette = true;
    for (auto _ : run) {
        FramesAnimation made = composeAsTheWindowDoes(
            frames, canvas, shapes::DiscRule(shapes::kDefaultPeriods, kFrames), preparation);
        benchmark::DoNotOptimize(made.composed().constBits());
    }
}
BENCHMARK(BM_ComposeQuickLimitDiscSilhouettes)->Unit(benchmark::kMillisecond);

void savePair(benchmark::State &run, QSize canvas)
{
    FramesAnimation made =
        composeAsTheWindowDoes(filledSlots(canvas), canvas, shapes::StraightRule(2, kFrames), {});
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("walk.png"));
    const QString lattice = folder.filePath(QStringLiteral("walk_格子.png"));
    for (auto _ : run) {
        FileGroup pair;
        savePicture(made.composed(), picture, pair);
        savePicture(made.lattice(), lattice, pair);
        pair.commit();
    }
}

void BM_SaveOrdinary(benchmark::State &run)
{
    savePair(run, QSize(640, 480));
}
BENCHMARK(BM_SaveOrdinary)->Unit(benchmark::kMillisecond);

void BM_SaveQuickLimit(benchmark::State &run)
{
    savePair(run, QSize(800, 600));
}
BENCHMARK(BM_SaveQuickLimit)->Unit(benchmark::kMillisecond);

} // namespace
