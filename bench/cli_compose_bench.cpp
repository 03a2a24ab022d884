// Composing four A4-at-600-dpi frames from the command line, step by step, beside a
// memcpy of the canvas: decoding a 4000 x 3000 JPEG, fitting it onto the 7016 x 4961
// canvas, and copying its columns into the composed picture.

#include "frames/frames_rule.h"
#include "platform/picture_file.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace
{

const QSize kCanvas(7016, 4961);
const QSize kPhoto(4000, 3000);
constexpr int kFrames = 4;
constexpr int kSlit = 2;

// A smooth picture with fine detail, so the JPEG is sized like a photograph's.
QImage photoLike(int seed)
{
    QImage image(kPhoto, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x / 16 + seed * 40) & 0xFF, (y / 12) & 0xFF, ((x ^ y) + seed) & 0xFF);
    }
    return image;
}

struct Photos {
    QTemporaryDir dir;
    std::vector<QString> paths;
    Photos()
    {
        for (int i = 0; i < kFrames; ++i) {
            paths.push_back(dir.filePath(QStringLiteral("frame%1.jpg").arg(i)));
            photoLike(i).save(paths.back(), "JPEG", 90);
        }
    }
};

Photos &photos()
{
    static Photos shared;
    return shared;
}

void BM_CliDecodeJpeg(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(loadPictureFor(photos().paths[0], kCanvas));
}
BENCHMARK(BM_CliDecodeJpeg)->Unit(benchmark::kMillisecond);

void BM_CliFitFrame(benchmark::State &state)
{
    const DecodedPicture decoded = loadPictureFor(photos().paths[0], kCanvas);
    for (auto _ : state)
        benchmark::DoNotOptimize(frames::FitFrame(decoded.picture, decoded.naturalSize, kCanvas));
}
BENCHMARK(BM_CliFitFrame)->Unit(benchmark::kMillisecond);

// The columns of frames 2 to 4 into the first frame's canvas, as lintaro-cli composes:
// together they write three quarters of the canvas.
void BM_CliComposeFrames(benchmark::State &state)
{
    std::vector<QImage> fitted;
    for (int i = 0; i < kFrames; ++i) {
        QImage canvas(kCanvas, QImage::Format_RGB32);
        canvas.fill(qRgb(i * 60, 100, 200));
        fitted.push_back(canvas);
    }
    QImage composed = fitted[0].copy();
    for (auto _ : state) {
        for (int i = 1; i < kFrames; ++i)
            frames::ComposeFrameInto(composed, fitted[size_t(i)], i, kFrames, kSlit);
        benchmark::DoNotOptimize(composed.constBits());
    }
}
BENCHMARK(BM_CliComposeFrames)->Unit(benchmark::kMillisecond);

void BM_CliCanvasMemcpyBaseline(benchmark::State &state)
{
    const size_t bytes = size_t(kCanvas.width()) * size_t(kCanvas.height()) * 4;
    std::vector<unsigned char> from(bytes, 1);
    std::vector<unsigned char> to(bytes, 0);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
    }
}
BENCHMARK(BM_CliCanvasMemcpyBaseline)->Unit(benchmark::kMillisecond);

} // namespace
