#include "frames/frame_bands.h"
#include "frames/frames_rule.h"
#include "support/pixel_checks.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace
{

// Bands of any height, in any order, compose exactly the picture that the whole fitted
// canvases compose. Every band crosses every stripe; the heights put band edges on, above
// and below the rows where fitted frames begin and end, and leave a short last band. The
// frames are reduced, enlarged, of the canvas's size and of other proportions.
TEST(FrameBands, BandsEqualTheWholeCanvasComposition)
{
    const QSize canvas(101, 43);
    const std::vector<QSize> sizes{{333, 97},  {40, 37}, {101, 43}, {60, 90},
                                   {250, 180}, {17, 5},  {101, 20}, {90, 43}};
    for (int n : {2, 8})
        for (int w : {1, 10}) {
            SCOPED_TRACE(::testing::Message() << "N = " << n << ", w = " << w);
            std::vector<QImage> pictures;
            std::vector<QImage> whole;
            for (int i = 0; i < n; ++i) {
                const QSize size = sizes[size_t(i % 2 ? 7 - i / 2 : i / 2)];
                pictures.push_back(pixels::randomPicture(size.width(), size.height(), 40u + i));
                whole.push_back(frames::FitFrame(pictures.back(), QSize(), canvas));
            }
            const QImage expected = frames::ComposeFrames(whole, w);

            std::deque<FittedRows> fitted;
            std::vector<RowSource> sources;
            for (const QImage &picture : pictures) {
                fitted.push_back(frames::FitFrameRows(picture, QSize(), canvas));
                sources.push_back(fitted.back().source());
            }
            frames::BandComposer composer(sources, canvas, w);
            for (int height : {1, 5, 12, 16, 43})
                for (bool upwards : {false, true}) {
                    SCOPED_TRACE(::testing::Message()
                                 << "bands of " << height << (upwards ? " up" : ""));
                    QImage banded(canvas, QImage::Format_RGB888);
                    const int bands = (canvas.height() + height - 1) / height;
                    for (int b = 0; b < bands; ++b) {
                        const int y = (upwards ? bands - 1 - b : b) * height;
                        composer.rows(y, std::min(height, canvas.height() - y), banded.scanLine(y),
                                      banded.bytesPerLine());
                    }
                    ASSERT_TRUE(
                        pixels::sameImage(banded.convertToFormat(QImage::Format_RGB32), expected));
                }
            EXPECT_TRUE(pixels::sameImage(imageFromRows(canvas, composer.source()), expected));
        }
    EXPECT_THROW(frames::BandComposer({}, canvas, 1), std::invalid_argument);
    EXPECT_THROW(frames::BandComposer(std::vector<RowSource>(2), canvas, 0), std::invalid_argument);
}

} // namespace
