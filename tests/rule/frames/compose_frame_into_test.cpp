#include "frames/frames_rule.h"
#include "support/pixel_checks.h"

#include <stdexcept>

namespace
{

// Composing frame by frame, in any order, gives the composition of all frames at once.
TEST(FramesRule, ComposingFrameByFrameEqualsComposingAll)
{
    const QSize canvas(53, 5);
    for (int n : {2, 3, 8})
        for (int w : {1, 3, 10}) {
            SCOPED_TRACE(::testing::Message() << "N = " << n << ", w = " << w);
            std::vector<QImage> frames;
            for (int i = 0; i < n; ++i)
                frames.push_back(pixels::randomPicture(canvas.width(), canvas.height(), 60u + i));
            QImage composed = pixels::plainPicture(canvas.width(), canvas.height(), kWhite);
            for (int i = n - 1; i >= 0; --i)
                frames::ComposeFrameInto(composed, frames[size_t(i)], i, n, w);
            EXPECT_TRUE(pixels::sameImage(composed, frames::ComposeFrames(frames, w)));
        }
    QImage composed(canvas, QImage::Format_RGB32);
    EXPECT_THROW(frames::ComposeFrameInto(composed, QImage(canvas, QImage::Format_RGB32), 2, 2, 1),
                 std::invalid_argument);
    EXPECT_THROW(frames::ComposeFrameInto(composed, QImage(16, 5, QImage::Format_RGB32), 0, 2, 1),
                 std::invalid_argument);
}

} // namespace
