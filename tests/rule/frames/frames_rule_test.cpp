#include "frames/frames_rule.h"
#include "state/module3.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"

#include <stdexcept>

namespace
{

using pixels::at;

std::vector<QImage> randomFrames(int count, QSize size)
{
    std::vector<QImage> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(pixels::randomPicture(size.width(), size.height(), 500u + i));
    return frames;
}

// Canvas widths that are not a multiple of any period tested.
const QSize kCanvas(101, 7);

// Column x comes from frame (-floor(x / w)) mod N; the lattice is white exactly where
// floor(x / w) mod N = 0; at offset k w the preview shows frame k alone, black elsewhere.
TEST(FramesRule, CompositionLatticeAndPreviewForEveryCountAndSlit)
{
    for (int n : {2, 3, 5, 8})
        for (int w : {1, 2, 3, 7}) {
            SCOPED_TRACE(::testing::Message() << "N = " << n << ", w = " << w);
            const std::vector<QImage> frames = randomFrames(n, kCanvas);
            const QImage composed = frames::ComposeFrames(frames, w);
            const auto frameOf = [&](int x) { return ((-(x / w)) % n + n) % n; };
            EXPECT_TRUE(pixels::matches(
                composed, [&](int x, int y) { return at(frames[size_t(frameOf(x))], x, y); }));
            EXPECT_TRUE(pixels::opaque(composed));

            const QSize sheet = frames::LatticeSheetSize(kCanvas, w, n);
            EXPECT_EQ(sheet, QSize(kCanvas.width() + n * w, kCanvas.height()));
            EXPECT_TRUE(pixels::matches(frames::FramesLattice(sheet, w, n), [&](int x, int) {
                return (x / w) % n == 0 ? kWhite : kBlack;
            }));

            EXPECT_EQ(frames::CycleLength(w, n), n * w);
            for (int k = 0; k < n; ++k) {
                SCOPED_TRACE(::testing::Message() << "frame " << k);
                const QImage preview = frames::PreviewFrame(composed, w, n, k * w);
                EXPECT_TRUE(pixels::matches(preview, [&](int x, int y) {
                    return frameOf(x) == k ? at(frames[size_t(k)], x, y) : kBlack;
                }));
            }
        }
}

TEST(FramesRule, RefusesCountsSlitsAndSizesOutsideTheRule)
{
    const QSize size(16, 16);
    EXPECT_THROW(frames::ComposeFrames(randomFrames(1, size), 2), std::invalid_argument);
    EXPECT_THROW(frames::ComposeFrames(randomFrames(9, size), 2), std::invalid_argument);
    EXPECT_THROW(frames::ComposeFrames(randomFrames(2, size), 0), std::invalid_argument);
    EXPECT_THROW(frames::ComposeFrames(randomFrames(2, size), 11), std::invalid_argument);
    std::vector<QImage> mixed = randomFrames(2, size);
    mixed.push_back(pixels::randomPicture(17, 16, 1));
    EXPECT_THROW(frames::ComposeFrames(mixed, 2), std::invalid_argument);
}

// A frame of the canvas size is copied pixel for pixel; others are fitted and centred on
// white exactly as picture 1 is placed on Picture8(0).
class FramesAgainstMainWindow : public ProgramFixture
{
};

TEST_F(FramesAgainstMainWindow, TwoFramesEqualTheMainWindowsCompositionPreviewAndLattice)
{
    const QImage one = pixels::randomPicture(320, 240, 71);
    const QImage two = pixels::randomPicture(500, 260, 72);
    const QSize canvas(320, 240);
    EXPECT_TRUE(pixels::sameImage(frames::FitFrame(one, QSize(), canvas), one));

    for (int w : {1, 2, 3}) {
        SCOPED_TRACE(::testing::Message() << "w = " << w);
        setLineWidth(w);
        for (int slot : {0, 1}) {
            dialogs.answer(
                writePicture(slot == 0 ? one : two, QStringLiteral("f%1.bmp").arg(slot)));
            window().Command1_Click(slot);
        }
        window().Command1_Click(2);
        const std::vector<QImage> fitted{frames::FitFrame(one, QSize(), canvas),
                                         frames::FitFrame(two, QSize(), canvas)};
        EXPECT_TRUE(pixels::sameImage(fitted[1], surfaces().Picture8[1].image()));
        const QImage composed = frames::ComposeFrames(fitted, w);
        ASSERT_TRUE(pixels::sameImage(composed, surfaces().Picture3.image()));

        const QImage &lattice = surfaces().Picture4.image();
        const QImage ours = frames::FramesLattice(lattice.size(), w, 2);
        EXPECT_TRUE(pixels::sameImage(ours, lattice));

        window().Command2_Click();
        for (int o = 0; o < 2 * w + 1; ++o) {
            SCOPED_TRACE(::testing::Message() << "offset " << o);
            EXPECT_TRUE(pixels::sameImage(frames::PreviewFrame(composed, w, 2, o),
                                          surfaces().Picture5[2].image()));
            clock().advance();
        }
        window().Command3_Click();
    }
}

} // namespace
