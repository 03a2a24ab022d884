#include "export/animation_file.h"
#include "support/animation_reading.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QImage noise(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            row[x] = 0xFF000000u | (random.generate() & 0xFFFFFFu);
    }
    return image;
}

// Each frame is asked for once, in order, and the file decodes back to every frame exactly:
// frames that change a little (at odd places), not at all, or wholly.
TEST(WebPEncoding, FramesDecodeExactlyWhateverChangesBetweenThem)
{
    const QSize size(97, 61);
    std::vector<QImage> frames{noise(size, 1)};
    QImage small = frames[0].copy();
    small.setPixel(33, 17, 0xFF123456u);
    small.setPixel(60, 40, 0xFF000000u);
    frames.push_back(small);
    frames.push_back(small);
    frames.push_back(noise(size, 2));
    QImage corner = frames[3].copy();
    corner.setPixel(96, 60, 0xFFFFFFFFu);
    frames.push_back(corner);

    QTemporaryDir temp;
    const QString path = temp.filePath("moving.webp");
    std::vector<int> asked;
    animation::saveAnimation(
        int(frames.size()),
        [&](int index) {
            asked.push_back(index);
            return frames[size_t(index)];
        },
        100, path);
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2, 3, 4}));

    const animated::Animation back = animated::readWebP(path);
    ASSERT_TRUE(back.valid);
    EXPECT_EQ(back.loopCount, 0);
    ASSERT_EQ(back.frames.size(), frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back.frames[i], frames[i]);
        EXPECT_EQ(back.durationsMs[i], 100);
    }
    // Unchanged pixels are not written again: three of the frames are nearly free.
    const QString twice = temp.filePath("twice.webp");
    animation::saveAnimation({frames[0], frames[3]}, 100, twice);
    EXPECT_LT(QFileInfo(path).size(), QFileInfo(twice).size() + 2000);
}

} // namespace
