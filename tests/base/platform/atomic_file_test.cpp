#include "platform/command_error.h"
#include "platform/file_group.h"
#include "platform/file_identity.h"
#include "platform/file_size_limit.h"
#include "platform/file_writing.h"
#include "support/real_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace
{

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

class AtomicWriting : public ::testing::Test
{
  protected:
    QString file(const QString &name) const { return temp.filePath(name); }
    void make(const QString &name, const QByteArray &bytes)
    {
        ASSERT_TRUE(real_files::writeBytes(file(name), bytes));
    }
    QTemporaryDir temp;
};

// Names are compared by the files they reach; a symbolic link is written through to the
// file it names, and nodes that are not regular files are refused and left as they are.
TEST_F(AtomicWriting, NamesReachFilesThroughLinksAndOnlyRegularFilesAreReplaced)
{
    make("picture.png", "old picture");
    ASSERT_EQ(::symlink("picture.png", QFile::encodeName(file("alias.png")).constData()), 0);
    ASSERT_EQ(::link(QFile::encodeName(file("picture.png")).constData(),
                     QFile::encodeName(file("hard.png")).constData()),
              0);
    ASSERT_TRUE(QDir(temp.path()).mkdir("sub"));
    EXPECT_EQ(fileKey(file("alias.png")), fileKey(file("picture.png")));
    EXPECT_EQ(fileKey(file("hard.png")), fileKey(file("picture.png")));
    EXPECT_EQ(fileKey(file("sub/../new.png")), fileKey(file("new.png")));
    EXPECT_NE(fileKey(file("new.png")), fileKey(file("picture.png")));

    writeWholeFile(file("alias.png"), "new picture");
    EXPECT_EQ(readAll(file("picture.png")), "new picture");
    EXPECT_TRUE(QFileInfo(file("alias.png")).isSymLink());

    ASSERT_EQ(::mkfifo(QFile::encodeName(file("pipe.png")).constData(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/null", QFile::encodeName(file("device.png")).constData()), 0);
    for (const char *name : {"pipe.png", "device.png", "sub"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(outputRefusal(file(name)), "not a regular file");
        try {
            writeWholeFile(file(name), "bytes");
            ADD_FAILURE() << "written over a node that is not a file";
        } catch (const FileNotWritten &e) {
            EXPECT_EQ(e.reason(), "not a regular file");
        }
    }
    struct stat status {
    };
    ASSERT_EQ(::lstat(QFile::encodeName(file("pipe.png")).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(entries(temp.path()), (QStringList{"alias.png", "device.png", "hard.png",
                                                 "picture.png", "pipe.png", "sub"}));
}

// A pair whose second file fails leaves the first one's old file as it was, and nothing
// else behind; once both can be written, both are.
TEST_F(AtomicWriting, AGroupIsWrittenWholeOrNotAtAll)
{
    make("walk.png", "old picture");
    ASSERT_TRUE(QDir(temp.path()).mkdir("walk_lattice.png"));
    try {
        FileGroup pair;
        pair.add(file("walk.png"), "new picture");
        pair.add(file("walk_lattice.png"), "new lattice");
        pair.commit();
        ADD_FAILURE() << "a folder was replaced";
    } catch (const FileNotWritten &e) {
        EXPECT_EQ(e.path(), file("walk_lattice.png").toStdString());
    }
    EXPECT_EQ(readAll(file("walk.png")), "old picture");
    EXPECT_EQ(entries(temp.path()), (QStringList{"walk.png", "walk_lattice.png"}));

    ASSERT_TRUE(QDir(temp.path()).rmdir("walk_lattice.png"));
    FileGroup pair;
    pair.add(file("walk.png"), "new picture");
    pair.add(file("walk_lattice.png"), "new lattice");
    EXPECT_EQ(readAll(file("walk.png")), "old picture") << "replaced before the group was whole";
    pair.commit();
    EXPECT_EQ(readAll(file("walk.png")), "new picture");
    EXPECT_EQ(readAll(file("walk_lattice.png")), "new lattice");
    EXPECT_EQ(entries(temp.path()), (QStringList{"walk.png", "walk_lattice.png"}));
}

// A rename that fails after others were done puts those back: the old file its old bytes
// again, a new file gone; and a group that fails removes the folders made for it.
TEST_F(AtomicWriting, AGroupFailingPartWayPutsBackWhatItReplaced)
{
    make("walk.png", "old picture");
    try {
        FileGroup group;
        group.add(file("walk.png"), "new picture");
        group.add(file("walk_lattice.png"), "new lattice");
        group.add(file("walk_frame.png"), "new frame");
        // In the way only after the group was written: the last rename fails.
        ASSERT_TRUE(QDir(temp.path()).mkdir("walk_frame.png"));
        group.commit();
        ADD_FAILURE() << "a folder was replaced";
    } catch (const FileNotWritten &e) {
        EXPECT_EQ(e.path(), file("walk_frame.png").toStdString());
    }
    EXPECT_EQ(readAll(file("walk.png")), "old picture");
    EXPECT_EQ(entries(temp.path()), (QStringList{"walk.png", "walk_frame.png"}));

    try {
        FileGroup frames;
        frames.makeFolder(file("new/fr"));
        frames.add(file("new/fr/frame-000.png"), "frame");
        frames.add(file("new/fr/missing/frame-001.png"), "frame");
        ADD_FAILURE() << "written into a folder that is not there";
    } catch (const FileNotWritten &e) {
        EXPECT_EQ(e.path(), file("new/fr/missing/frame-001.png").toStdString());
    }
    EXPECT_EQ(entries(temp.path()), (QStringList{"walk.png", "walk_frame.png"}));

    FileGroup frames;
    frames.makeFolder(file("new/fr"));
    frames.add(file("new/fr/frame-000.png"), "frame");
    frames.commit();
    EXPECT_EQ(entries(file("new/fr")), QStringList{"frame-000.png"});
}

// In a folder that refuses new files, a file the user may write is written over only when
// the file-size limit allows the whole of it: past the limit it fails as too large, with
// the old bytes intact and the program still running.
TEST_F(AtomicWriting, WritingInPlaceRespectsTheFileSizeLimit)
{
    ASSERT_TRUE(QDir(temp.path()).mkdir("shared"));
    const QString existing = file("shared/picture.bmp");
    const QByteArray old(30000, 'o');
    make("shared/picture.bmp", old);
    const real_files::ReadOnlyFolderWithWritableFile mounts(file("shared"), existing);
    if (!mounts.isMounted())
        GTEST_SKIP() << "bind mounts are not permitted here (needs root)";
    {
        const FileSizeLimit limit(50000);
        try {
            writeWholeFile(existing, QByteArray(80000, 'n'));
            ADD_FAILURE() << "written past the file-size limit";
        } catch (const FileNotWritten &e) {
            EXPECT_EQ(e.reason(), "File too large");
        }
        EXPECT_EQ(readAll(existing), old);
        // Within the limit the same write goes through, shorter than the old file too.
        writeWholeFile(existing, QByteArray(20000, 's'));
        EXPECT_EQ(readAll(existing), QByteArray(20000, 's'));
    }
    EXPECT_EQ(entries(file("shared")), QStringList{"picture.bmp"});
}

} // namespace
