#include "frames/frames_rule.h"
#include "shapes/disc_rule.h"
#include "shapes/shape_rule.h"
#include "support/pixel_checks.h"

namespace
{

std::vector<QImage> randomFrames(QSize size, int count, unsigned seed)
{
    std::vector<QImage> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back(pixels::randomPicture(size.width(), size.height(), seed + unsigned(i)));
    return frames;
}

// Each shape's rule is its own pure functions, one fitted frame at a time included.
TEST(ShapeRule, EachShapeComposesAndPreviewsByItsOwnRule)
{
    const QSize canvas(37, 29);
    const std::vector<QImage> frames = randomFrames(canvas, 3, 40u);
    const auto fitted = [&](int i) { return frames[size_t(i)]; };

    const shapes::ShapeRule flat = shapes::StraightRule(2, 3);
    const QImage stripes = frames::ComposeFrames(frames, 2);
    EXPECT_TRUE(pixels::sameImage(flat.compose(frames), stripes));
    EXPECT_TRUE(pixels::sameImage(flat.composeFitted(canvas, fitted), stripes));
    EXPECT_EQ(flat.latticeSize(canvas), QSize(43, 29));
    EXPECT_TRUE(
        pixels::sameImage(flat.lattice(QSize(43, 29)), frames::FramesLattice(QSize(43, 29), 2, 3)));
    EXPECT_EQ(flat.cycleLength, 6);
    QImage out;
    flat.previewInto(stripes, 4, out);
    EXPECT_TRUE(pixels::sameImage(out, frames::PreviewFrame(stripes, 2, 3, 4)));

    const shapes::ShapeRule disc = shapes::DiscRule(7, 3);
    const QImage sectors = shapes::ComposeDisc(frames, 7);
    EXPECT_TRUE(pixels::sameImage(disc.compose(frames), sectors));
    EXPECT_TRUE(pixels::sameImage(disc.composeFitted(canvas, fitted), sectors));
    EXPECT_EQ(disc.latticeSize(canvas), canvas);
    EXPECT_TRUE(pixels::sameImage(disc.lattice(canvas), shapes::DiscLattice(canvas, 7, 3)));
    EXPECT_EQ(disc.cycleLength, 12);
    for (int step = 0; step < 12; ++step) {
        disc.previewInto(sectors, step, out);
        EXPECT_TRUE(pixels::sameImage(out, shapes::DiscPreviewFrame(sectors, 7, 3, step)))
            << "step " << step;
    }
}

// The disc's preview keeps where its pixels lie from step to step; another picture, or
// the same one changed, is worked out afresh.
TEST(ShapeRule, TheDiscPreviewFollowsANewPicture)
{
    const shapes::ShapeRule disc = shapes::DiscRule(5, 2);
    QImage first = shapes::ComposeDisc(randomFrames(QSize(30, 30), 2, 1u), 5);
    const QImage second = shapes::ComposeDisc(randomFrames(QSize(24, 20), 2, 9u), 5);
    QImage out;
    disc.previewInto(first, 1, out);
    EXPECT_TRUE(pixels::sameImage(out, shapes::DiscPreviewFrame(first, 5, 2, 1)));
    disc.previewInto(second, 3, out);
    EXPECT_TRUE(pixels::sameImage(out, shapes::DiscPreviewFrame(second, 5, 2, 3)));
    first.fill(Qt::red);
    disc.previewInto(first, 0, out);
    EXPECT_TRUE(pixels::sameImage(out, shapes::DiscPreviewFrame(first, 5, 2, 0)));
}

} // namespace
