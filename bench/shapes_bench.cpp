// The disc rule against the flat sheet's rule for the same work, as the frames window and
// lintaro-cli do it for every tick or composition: one preview frame and composing 8 frames
// at 640 x 480. The disc works out an angle for every pixel where the flat sheet looks up
// a column, once for a running preview, so the ratios say what a disc costs a 100 ms tick
// of the preview.

#include "frames/frames_rule.h"
#include "shapes/disc_rule.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

namespace
{

constexpr int kFrames = 8;
const QSize kCanvas(640, 480);

const std::vector<QImage> &frames()
{
    static const std::vector<QImage> list = [] {
        std::vector<QImage> f;
        std::mt19937 random(5u);
        for (int i = 0; i < kFrames; ++i) {
            QImage image(kCanvas, QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y) {
                auto *line = reinterpret_cast<uint32_t *>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    line[x] = 0xFF000000u | (random() & 0xFFFFFFu);
            }
            f.push_back(image);
        }
        return f;
    }();
    return list;
}

void BM_FlatPreviewTick(benchmark::State &run)
{
    const QImage composed = frames::ComposeFrames(frames(), 2);
    QImage out;
    int offset = 0;
    for (auto _ : run) {
        frames::PreviewFrameInto(composed, 2, kFrames, offset, out);
        offset = (offset + 1) % frames::CycleLength(2, kFrames);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_FlatPreviewTick)->Unit(benchmark::kMicrosecond);

// A step alone, its pixels' angles worked out afresh.
void BM_DiscPreviewFrame(benchmark::State &run)
{
    const QImage composed = shapes::ComposeDisc(frames(), shapes::kDefaultPeriods);
    int step = 0;
    for (auto _ : run) {
        QImage out = shapes::DiscPreviewFrame(composed, shapes::kDefaultPeriods, kFrames, step);
        step = (step + 1) % shapes::DiscCycleLength(kFrames);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_DiscPreviewFrame)->Unit(benchmark::kMicrosecond);

// A step of the running preview, as the window and the saved previews draw it.
void BM_DiscPreviewTick(benchmark::State &run)
{
    const QImage composed = shapes::ComposeDisc(frames(), shapes::kDefaultPeriods);
    const shapes::DiscPreview preview(composed, shapes::kDefaultPeriods, kFrames);
    QImage out;
    int step = 0;
    for (auto _ : run) {
        preview.frameInto(step, out);
        step = (step + 1) % shapes::DiscCycleLength(kFrames);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_DiscPreviewTick)->Unit(benchmark::kMicrosecond);

void BM_FlatCompose(benchmark::State &run)
{
    for (auto _ : run) {
        QImage composed = frames::ComposeFrames(frames(), 2);
        benchmark::DoNotOptimize(composed.constBits());
    }
}
BENCHMARK(BM_FlatCompose)->Unit(benchmark::kMicrosecond);

void BM_DiscCompose(benchmark::State &run)
{
    for (auto _ : run) {
        QImage composed = shapes::ComposeDisc(frames(), shapes::kDefaultPeriods);
        benchmark::DoNotOptimize(composed.constBits());
    }
}
BENCHMARK(BM_DiscCompose)->Unit(benchmark::kMicrosecond);

} // namespace
