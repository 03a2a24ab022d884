#include "sources/frame_picking.h"
#include "sources/frame_sequence.h"
#include "sources/natural_order.h"
#include "support/source_files.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

using source_files::frameIndexOf;
using sources::FrameSequence;

// The frames a count picks, as the indices their colours say.
std::vector<int> framesSeen(FrameSequence &sequence, std::optional<int> count, int colours)
{
    std::vector<int> seen;
    for (const int index : sequence.pick(count))
        seen.push_back(frameIndexOf(sequence.frame(index, QSize(32, 24)).picture, colours));
    return seen;
}

using Picks = std::vector<int>;

TEST(FramePicking, TakesAllOfFewFramesAndEvenlySpacedOfMany)
{
    EXPECT_EQ(sources::pickFrames(1, 4), Picks{});
    EXPECT_EQ(sources::pickFrames(5, 2), (Picks{0, 1, 2, 3, 4}));
    EXPECT_EQ(sources::pickFrames(8, std::nullopt), (Picks{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(sources::pickFrames(9, 2), (Picks{0, 4}));
    EXPECT_EQ(sources::pickFrames(100, std::nullopt), (Picks{0, 16, 33, 50, 66, 83}));
    EXPECT_TRUE(sources::pickIsChosen(9, std::nullopt));
    EXPECT_FALSE(sources::pickIsChosen(9, 3));
    EXPECT_FALSE(sources::pickIsChosen(8, std::nullopt));
    EXPECT_EQ(sources::describePick({0, 6}, 12), QStringLiteral("picked 2 of 12 frames: 1, 7"));
}

TEST(FramePicking, NaturalOrderComparesNumbersAsNumbers)
{
    QStringList names{QStringLiteral("f10.png"), QStringLiteral("F3.png"),
                      QStringLiteral("f2.png"),  QStringLiteral("f02b.png"),
                      QStringLiteral("a.png"),   QStringLiteral("f1.png")};
    sources::sortNaturally(names);
    EXPECT_EQ(names.join(u' '), QStringLiteral("a.png f1.png f2.png f02b.png F3.png f10.png"));
}

class FrameSources : public ::testing::Test
{
  protected:
    QString file(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(FrameSources, AnimatedGifAndWebpGiveEveryFrameInOrder)
{
    for (const char *name : {"anim.gif", "anim.webp"}) {
        SCOPED_TRACE(name);
        const QString path = file(QString::fromLatin1(name));
        source_files::writeAnimation(path, 12);
        FrameSequence sequence({path});
        ASSERT_EQ(sequence.total(), 12);
        EXPECT_EQ(framesSeen(sequence, 2, 12), (Picks{0, 6}));
        EXPECT_EQ(framesSeen(sequence, 4, 12), (Picks{0, 3, 6, 9}));
        EXPECT_EQ(framesSeen(sequence, 8, 12), (Picks{0, 1, 3, 4, 6, 7, 9, 10}));
        EXPECT_EQ(framesSeen(sequence, std::nullopt, 12), (Picks{0, 2, 4, 6, 8, 10}));
        // Asked out of order, a frame is still the one asked for.
        EXPECT_EQ(frameIndexOf(sequence.frame(11, QSize()).picture, 12), 11);
        EXPECT_EQ(frameIndexOf(sequence.frame(1, QSize()).picture, 12), 1);
        EXPECT_EQ(sequence.naturalSize(0), QSize(64, 48));
    }
}

TEST_F(FrameSources, FolderGivesItsPicturesInNaturalOrderWhateverTheirAge)
{
    // Written in a scrambled order, with a file that is not a picture among them.
    const QDir folder(file(QStringLiteral("frames")));
    ASSERT_TRUE(QDir().mkpath(folder.path()));
    for (const int n : {7, 2, 11, 1, 12, 5, 9, 3, 10, 4, 8, 6})
        ASSERT_TRUE(source_files::colourFrame(n - 1, 12).save(
            folder.filePath(QStringLiteral("f%1.png").arg(n))));
    QFile notes(folder.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture\n");
    notes.close();
    FrameSequence sequence({folder.path()});
    ASSERT_EQ(sequence.total(), 12);
    EXPECT_EQ(framesSeen(sequence, 2, 12), (Picks{0, 6}));
    EXPECT_EQ(framesSeen(sequence, 4, 12), (Picks{0, 3, 6, 9}));
    EXPECT_EQ(framesSeen(sequence, 8, 12), (Picks{0, 1, 3, 4, 6, 7, 9, 10}));
    EXPECT_EQ(sequence.pathOf(4), folder.path());

    // Sources follow one another: the folder after a picture and an animation.
    const QString still = file(QStringLiteral("still.bmp"));
    ASSERT_TRUE(source_files::colourFrame(5, 12).save(still));
    const QString gif = file(QStringLiteral("a.gif"));
    source_files::writeAnimation(gif, 12);
    FrameSequence joined({still, gif, folder.path()});
    ASSERT_EQ(joined.total(), 25);
    // Frames 0, 3, 6, 9, 12, 15, 18, 21 of 25: the still, gif 2, 5, 8, 11, folder 2, 5, 8.
    EXPECT_EQ(framesSeen(joined, 8, 12), (Picks{5, 2, 5, 8, 11, 2, 5, 8}));
}

TEST_F(FrameSources, RefusesWhatIsNoSourceWithItsReason)
{
    const auto reason = [](const QString &path) {
        try {
            FrameSequence sequence({path});
        } catch (const sources::SourceError &e) {
            return e.reason();
        }
        return QString();
    };
    EXPECT_EQ(reason(file(QStringLiteral("missing.png"))),
              QStringLiteral("No such file or directory"));
    EXPECT_EQ(reason(dir.path()), QStringLiteral("the folder holds no picture"));
    QFile text(file(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("hello, this is text and no video\n");
    text.close();
    EXPECT_EQ(reason(text.fileName()), QStringLiteral("not a picture, video or folder"));
    // A video header claiming a 16000 x 16000 frame is refused at once, nothing decoded.
    QFile y4m(file(QStringLiteral("huge.y4m")));
    ASSERT_TRUE(y4m.open(QIODevice::WriteOnly));
    y4m.write("YUV4MPEG2 W16000 H16000 F10:1 Ip A1:1 C420jpeg\nFRAME\n");
    y4m.close();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(reason(y4m.fileName()), QStringLiteral("video frame too large"));
    EXPECT_LT(clock.elapsed(), 1000);
}

// A file whose header claims more frames than any real clip holds, or an animation that
// has them, is refused at once: nothing is decoded and nothing sized by the claim is held.
TEST_F(FrameSources, RefusesAbsurdFrameCountsQuickly)
{
    const auto refusal = [](const QString &path) {
        QElapsedTimer clock;
        clock.start();
        QString reason;
        try {
            FrameSequence sequence({path});
        } catch (const sources::SourceError &e) {
            reason = e.reason();
        }
        EXPECT_LT(clock.elapsed(), 2000) << path.toStdString();
        return reason;
    };
    // Four bytes little- or big-endian at the given distance after a chunk's name.
    const auto patch = [](const QString &path, const char *chunk, int offset, quint32 value,
                          bool bigEndian) {
        QFile f(path);
        if (!f.open(QIODevice::ReadWrite))
            return false;
        QByteArray bytes = f.readAll();
        const qsizetype at = bytes.indexOf(chunk);
        if (at < 0)
            return false;
        for (int i = 0; i < 4; ++i)
            bytes[at + offset + i] = char(value >> (bigEndian ? 8 * (3 - i) : 8 * i));
        f.seek(0);
        return f.write(bytes) == bytes.size();
    };
    constexpr quint32 kClaimed = 0x7FFFFFFF;

    // MP4: the time-to-sample table's one entry says 2^31 - 1 frames instead of 20.
    const QString mp4 = file(QStringLiteral("claims.mp4"));
    if (source_files::writeVideo(mp4, 20, 10, {"-c:v", "libx264", "-pix_fmt", "yuv420p"})) {
        ASSERT_TRUE(patch(mp4, "stts", 12, kClaimed, true));
        EXPECT_EQ(refusal(mp4), QStringLiteral("too many frames"));
    }
    // AVI: the main header's frame count and the video stream's length.
    const QString avi = file(QStringLiteral("claims.avi"));
    if (source_files::writeVideo(avi, 20, 10, {"-c:v", "mpeg4", "-q:v", "3"})) {
        ASSERT_TRUE(patch(avi, "avih", 24, kClaimed, false));
        ASSERT_TRUE(patch(avi, "strh", 40, kClaimed, false));
        EXPECT_EQ(refusal(avi), QStringLiteral("too many frames"));
    }

    // A GIF that holds one frame more than any source may: its frames are counted, not
    // decoded. Each frame is a 1 x 1 picture of a handful of bytes.
    QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff", 19);
    const QByteArray frame("\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00", 15);
    gif.reserve(gif.size() + qsizetype(sources::kMostSourceFrames + 1) * frame.size() + 1);
    for (int i = 0; i <= sources::kMostSourceFrames; ++i)
        gif += frame;
    gif += ';';
    QFile many(file(QStringLiteral("many.gif")));
    ASSERT_TRUE(many.open(QIODevice::WriteOnly));
    many.write(gif);
    many.close();
    EXPECT_EQ(refusal(many.fileName()), QStringLiteral("too many frames"));
}

struct VideoKind {
    const char *name;
    QStringList codec;
};

void PrintTo(const VideoKind &kind, std::ostream *out)
{
    *out << kind.name;
}

class VideoSources : public FrameSources, public ::testing::WithParamInterface<VideoKind>
{
};

// 2 s at 10 frames a second: frame k is shown from k / 10 s.
TEST_P(VideoSources, PicksTheFramesOfTheRangeByTheirTime)
{
    const QString path = file(QString::fromLatin1(GetParam().name));
    if (!source_files::writeVideo(path, 20, 10, GetParam().codec, QSize(320, 240)))
        GTEST_SKIP() << "no ffmpeg encoder for " << GetParam().name;
    FrameSequence sequence({path});
    ASSERT_EQ(sequence.total(), 20);
    EXPECT_TRUE(sequence.hasVideo());
    EXPECT_EQ(framesSeen(sequence, 2, 20), (Picks{0, 10}));
    EXPECT_EQ(framesSeen(sequence, 4, 20), (Picks{0, 5, 10, 15}));
    EXPECT_EQ(framesSeen(sequence, 8, 20), (Picks{0, 2, 5, 7, 10, 12, 15, 17}));
    // Backwards and the same frame twice.
    EXPECT_EQ(frameIndexOf(sequence.frame(3, QSize()).picture, 20), 3);
    EXPECT_EQ(frameIndexOf(sequence.frame(3, QSize()).picture, 20), 3);

    // From 0.5 s to 1.5 s: frames 5 .. 14.
    FrameSequence range({path}, {0.5, 1.5});
    ASSERT_EQ(range.total(), 10);
    EXPECT_EQ(framesSeen(range, 4, 20), (Picks{5, 7, 10, 12}));
    EXPECT_EQ(framesSeen(range, std::nullopt, 20), (Picks{5, 6, 8, 10, 11, 13}));
    FrameSequence tail({path}, {1.6, std::nullopt});
    EXPECT_EQ(framesSeen(tail, std::nullopt, 20), (Picks{16, 17, 18, 19}));

    // Decoded no larger than drawing at 64 x 48 needs: the short side keeps 64.
    const DecodedPicture small = sequence.frame(0, QSize(64, 48));
    EXPECT_EQ(small.picture.size(), QSize(86, 64));
    EXPECT_EQ(small.naturalSize, QSize(320, 240));
}

INSTANTIATE_TEST_SUITE_P(
    Codecs, VideoSources,
    ::testing::Values(VideoKind{"clip.mp4", {"-c:v", "libx264", "-pix_fmt", "yuv420p"}},
                      VideoKind{"clip.webm", {"-c:v", "libvpx-vp9", "-b:v", "0", "-crf", "30"}},
                      VideoKind{"clip8.webm",
                                {"-c:v", "libvpx", "-b:v", "1M", "-auto-alt-ref", "1"}},
                      VideoKind{"clip.avi", {"-c:v", "mpeg4", "-q:v", "3"}}),
    [](const auto &info) {
        return QString::fromLatin1(info.param.name).remove(u'.').toStdString();
    });

} // namespace
