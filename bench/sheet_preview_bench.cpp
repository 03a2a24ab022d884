// The print-sheet window's page preview against what it avoids: composing the sheet's
// picture at the printer's dots. Both start from the same four 1024 x 768 frames and an A4
// sheet at 600 dpi; the preview fits them at its own scale (a room of 560 x 380 pixels),
// averages the composition over each pixel and draws both pages.

#include "sheet/sheet_geometry.h"
#include "sheet/sheet_picture.h"
#include "sheet/sheet_preview.h"
#include "sources/frame_preparation.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace
{

const std::vector<sheet::FramePicture> &fourFrames()
{
    static const std::vector<sheet::FramePicture> frames = [] {
        std::vector<sheet::FramePicture> f;
        std::mt19937 random(7);
        for (int i = 0; i < 4; ++i) {
            QImage image(1024, 768, QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y) {
                auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    line[x] = 0xFF000000u | (random() & 0xFFFFFFu);
            }
            f.push_back({image, QSize()});
        }
        return f;
    }();
    return frames;
}

sheet::SheetGeometry a4At600()
{
    return sheet::layOutSheet(sheet::SheetChoices{}, 4, QSize(1024, 768));
}

// Everything the window does for one change, with nothing kept from the last.
void BM_SheetPreview(benchmark::State &state)
{
    const sheet::SheetGeometry g = a4At600();
    for (auto _ : state) {
        const double scale = sheet::previewScale(g, QSize(544, 364));
        const QSize size = sheet::previewPictureSize(g, scale);
        std::vector<QImage> fitted;
        for (const sheet::FramePicture &frame : fourFrames())
            fitted.push_back(sources::PrepareFrame(frame.picture, frame.naturalSize, size, {}));
        benchmark::DoNotOptimize(
            sheet::renderSheetPreview(g, scale, sheet::previewPicture(fitted, g)));
    }
}
BENCHMARK(BM_SheetPreview)->Unit(benchmark::kMillisecond);

// Baseline: the sheet's picture at the printer's dots, as saving and printing make it.
void BM_SheetPictureAtDots(benchmark::State &state)
{
    const sheet::SheetGeometry g = a4At600();
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet::composeSheetPicture(fourFrames(), g));
}
BENCHMARK(BM_SheetPictureAtDots)->Unit(benchmark::kMillisecond);

} // namespace
