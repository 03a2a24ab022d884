// The frames rule against the tightest plain loops for the same work: composing 8 frames
// at 640 x 480 and one preview frame at 640 x 480. Each baseline reads the same pictures
// and writes a fresh picture of the same size in one pass, so the ratio tells how far the
// rule is from the plain job.

#include "frames/frames_rule.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

namespace
{

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 8;

QImage noise(unsigned seed)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    std::mt19937 random(seed);
    for (int y = 0; y < kHeight; ++y) {
        auto *line = reinterpret_cast<uint32_t *>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            line[x] = 0xFF000000u | (random() & 0xFFFFFFu);
    }
    return image;
}

const std::vector<QImage> &eightFrames()
{
    static const std::vector<QImage> frames = [] {
        std::vector<QImage> f;
        for (int i = 0; i < kFrames; ++i)
            f.push_back(noise(10u + unsigned(i)));
        return f;
    }();
    return frames;
}

qsizetype composeBytes()
{
    return qsizetype(kFrames + 1) * kWidth * kHeight * 4;
}

void BM_ComposeFrames(benchmark::State &run)
{
    const int slit = int(run.range(0));
    const std::vector<QImage> &frames = eightFrames();
    for (auto _ : run) {
        QImage composed = frames::ComposeFrames(frames, slit);
        benchmark::DoNotOptimize(composed.constBits());
    }
    run.SetBytesProcessed(run.iterations() * composeBytes());
}
BENCHMARK(BM_ComposeFrames)->Arg(1)->Arg(2)->Arg(7)->Unit(benchmark::kMicrosecond);

// Baseline: each output pixel picked from its frame's row through a column table. Of the
// plain loops tried this is the fastest: ANDing all eight frames with column masks and
// ORing them reads twice the memory and ran about three times slower here.
void BM_ComposeFrames_baselineGather(benchmark::State &run)
{
    const int slit = int(run.range(0));
    const std::vector<QImage> &frames = eightFrames();
    std::vector<uint8_t> frameOf(kWidth);
    for (int x = 0; x < kWidth; ++x)
        frameOf[size_t(x)] = uint8_t(frames::FrameOfColumn(x, slit, kFrames));
    for (auto _ : run) {
        QImage composed(kWidth, kHeight, QImage::Format_RGB32);
        for (int y = 0; y < kHeight; ++y) {
            const uint32_t *rows[kFrames];
            for (int k = 0; k < kFrames; ++k)
                rows[k] = reinterpret_cast<const uint32_t *>(frames[size_t(k)].constScanLine(y));
            auto *__restrict out = reinterpret_cast<uint32_t *>(composed.scanLine(y));
            for (int x = 0; x < kWidth; ++x)
                out[x] = rows[frameOf[size_t(x)]][x];
        }
        benchmark::DoNotOptimize(composed.constBits());
    }
    run.SetBytesProcessed(run.iterations() * composeBytes());
}
BENCHMARK(BM_ComposeFrames_baselineGather)->Arg(1)->Arg(2)->Arg(7)->Unit(benchmark::kMicrosecond);

qsizetype previewBytes()
{
    return qsizetype(2) * kWidth * kHeight * 4;
}

// One tick of the preview: the frame at the next offset, into the image the view shows.
void BM_PreviewFrame(benchmark::State &run)
{
    const int slit = int(run.range(0));
    const QImage composed = frames::ComposeFrames(eightFrames(), slit);
    QImage out(kWidth, kHeight, QImage::Format_RGB32);
    int offset = 0;
    for (auto _ : run) {
        frames::PreviewFrameInto(composed, slit, kFrames, offset, out);
        offset = (offset + 1) % frames::CycleLength(slit, kFrames);
        benchmark::DoNotOptimize(out.constBits());
    }
    run.SetBytesProcessed(run.iterations() * previewBytes());
}
BENCHMARK(BM_PreviewFrame)->Arg(1)->Arg(2)->Arg(7)->Unit(benchmark::kMicrosecond);

// One row ANDed with a mask row, eight pixels at a time: the form -O2 vectorises (its cost
// model leaves a plain loop of unknown length scalar). kWidth is a multiple of 8.
void andRow(const uint32_t *__restrict in, const uint32_t *__restrict mask,
            uint32_t *__restrict out)
{
    for (int x = 0; x < kWidth; x += 8)
        for (int i = 0; i < 8; ++i)
            out[x + i] = in[x + i] & mask[x + i];
}

// Baseline: the composed picture ANDed with one lattice row already slid to the offset.
void BM_PreviewFrame_baseline(benchmark::State &run)
{
    const int slit = int(run.range(0));
    const QImage composed = frames::ComposeFrames(eightFrames(), slit);
    QImage out(kWidth, kHeight, QImage::Format_RGB32);
    const int cycle = frames::CycleLength(slit, kFrames);
    // Every offset's mask row made beforehand, so the loop does nothing but the AND.
    std::vector<uint32_t> masks(size_t(cycle) * kWidth);
    for (int o = 0; o < cycle; ++o)
        for (int x = 0; x < kWidth; ++x)
            masks[size_t(o * kWidth + x)] =
                frames::IsSlitColumn(x, slit, kFrames, o) ? 0xFFFFFFFFu : 0xFF000000u;
    int offset = 0;
    for (auto _ : run) {
        const uint32_t *m = masks.data() + size_t(offset) * kWidth;
        for (int y = 0; y < kHeight; ++y)
            andRow(reinterpret_cast<const uint32_t *>(composed.constScanLine(y)), m,
                   reinterpret_cast<uint32_t *>(out.scanLine(y)));
        offset = (offset + 1) % cycle;
        benchmark::DoNotOptimize(out.constBits());
    }
    run.SetBytesProcessed(run.iterations() * previewBytes());
}
BENCHMARK(BM_PreviewFrame_baseline)->Arg(1)->Arg(2)->Arg(7)->Unit(benchmark::kMicrosecond);

} // namespace
