#include "editor/form9.h"
#include "platform/file_size_limit.h"
#include "state/module3.h"
#include "support/pixel_checks.h"
#include "support/program_fixture.h"
#include "support/real_files.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <functional>

namespace
{

const QString kLattice = QStringLiteral("格子模様.bmp");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file is a 24-bit Windows bitmap holding exactly the picture.
::testing::AssertionResult bitmapOf(const QString &path, const QImage &expected)
{
    const QByteArray bytes = readAll(path);
    if (bytes.size() < 30 || !bytes.startsWith("BM"))
        return ::testing::AssertionFailure() << path.toStdString() << " is no bitmap";
    const quint16 bits = qFromLittleEndian<quint16>(bytes.constData() + 28);
    if (bits != 24)
        return ::testing::AssertionFailure() << bits << " bits per pixel";
    QImage image;
    if (!image.loadFromData(bytes, "BMP"))
        return ::testing::AssertionFailure() << "unreadable bitmap";
    return pixels::sameImage(image, expected);
}

class Saving : public ProgramFixture
{
  protected:
    void SetUp() override
    {
        dialogs.answer(writePicture(pixels::randomPicture(320, 240, 110), "one.bmp"));
        window().Command1_Click(0);
        dialogs.answer(writePicture(pixels::randomPicture(320, 240, 111), "two.bmp"));
        window().Command1_Click(1);
        window().Command1_Click(2);
        ASSERT_TRUE(out.isValid());
    }
    static QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                      QDir::Name);
    }
    void save(std::optional<QString> path)
    {
        dialogs.answer(std::move(path));
        window().mnusave_Click();
    }

    QTemporaryDir out;
};

// The menu entry and Command4 write the composed picture (320 x 240) under the name as
// typed and the lattice sheet (1030 x 240) beside it; saving again replaces both.
TEST_F(Saving, WritesTheComposedPictureAndItsLatticeBesideIt)
{
    const QString path = out.filePath("stripes");
    for (bool byButton : {false, true}) {
        SCOPED_TRACE(byButton ? "Command4" : "menu");
        if (byButton) {
            setLineWidth(4);
            window().Command1_Click(2);
            dialogs.answer(path);
            window().Command4_Click();
        } else {
            save(path);
        }
        EXPECT_EQ(surfaces().Picture3.image().size(), QSize(320, 240));
        EXPECT_EQ(surfaces().Picture4.image().size(), QSize(1030, 240));
        EXPECT_TRUE(bitmapOf(path, surfaces().Picture3.image()));
        EXPECT_TRUE(bitmapOf(out.filePath(kLattice), surfaces().Picture4.image()));
        EXPECT_EQ(entries(out.path()), (QStringList{"stripes", kLattice}));

        const auto &shown = dialogs.shown().back();
        EXPECT_EQ(shown.kind, ScriptedFileDialogs::Kind::Save);
        EXPECT_EQ(shown.request.filter, QStringLiteral("(*.bmp)|*.bmp"));
        EXPECT_EQ(shown.request.initDir, vars().appFolder);
        EXPECT_EQ(shown.request.fileName, QString());
    }
}

TEST_F(Saving, LatticeLandsBesideTheChosenFileWhateverTheWorkingFolder)
{
    const QString before = QDir::currentPath();
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    ASSERT_TRUE(QDir(out.path()).mkdir("sub"));
    save(out.filePath("sub/picture.bmp"));
    QDir::setCurrent(before);
    EXPECT_TRUE(bitmapOf(out.filePath("sub/" + kLattice), surfaces().Picture4.image()));
    EXPECT_TRUE(entries(elsewhere.path()).isEmpty());
    EXPECT_EQ(entries(out.path()), QStringList{"sub"});
}

TEST_F(Saving, CancelledSaveWritesNothing)
{
    const QStringList program = entries(temp.path());
    save(std::nullopt);
    EXPECT_TRUE(entries(out.path()).isEmpty());
    EXPECT_EQ(entries(temp.path()), program);
    EXPECT_TRUE(entries(QDir::currentPath()).filter(kLattice).isEmpty());
}

// Failures write nothing: an unwritable name, or a disk that fills up
// half-way through the picture, which leaves the old picture as it was, no partial file
// and no lattice.
TEST_F(Saving, FailingSaveLeavesTheExistingFileUnchanged)
{
    const QString path = out.filePath("stripes.bmp");
    ASSERT_TRUE(QFile::copy(writePicture(pixels::randomPicture(320, 240, 112), "old.bmp"), path));
    ASSERT_TRUE(QDir(out.path()).mkdir("folder"));
    const QByteArray old = readAll(path);
    {
        const FileSizeLimit limit(10000);
        EXPECT_NO_THROW(save(path));
    }
    for (const QString &target : {out.filePath("folder"), out.filePath("missing/x.bmp")}) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_NO_THROW(save(target));
    }
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(entries(out.path()), (QStringList{"folder", "stripes.bmp"}));
    EXPECT_TRUE(entries(out.filePath("folder")).isEmpty());
}

// The lattice is written as 「格子模様.bmp」 beside the picture: the picture chosen under
// that name, or a link to it, would be replaced by it. The save is refused before anything
// is written, and the user is told.
TEST_F(Saving, TheLatticesOwnNameIsRefusedBeforeAnythingIsWritten)
{
    const QString lattice = out.filePath(kLattice);
    ASSERT_TRUE(QFile::copy(writePicture(pixels::randomPicture(40, 30, 113), "old.bmp"), lattice));
    ASSERT_TRUE(QFile::link(lattice, out.filePath("alias.bmp")));
    const QByteArray old = readAll(lattice);
    for (const QString &chosen : {lattice, out.filePath("alias.bmp")}) {
        SCOPED_TRACE(chosen.toStdString());
        messages.shown.clear();
        save(chosen);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown[0].text.startsWith(
            QStringLiteral("保存できませんでした\n%1\n「格子模様.bmp」").arg(chosen)))
            << messages.shown[0].text.toStdString();
    }
    EXPECT_EQ(readAll(lattice), old);
    EXPECT_EQ(entries(out.path()), (QStringList{"alias.bmp", kLattice}));
    // Any other name saves the pair as before.
    messages.shown.clear();
    save(out.filePath("stripes.bmp"));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(bitmapOf(out.filePath("stripes.bmp"), surfaces().Picture3.image()));
    EXPECT_TRUE(bitmapOf(lattice, surfaces().Picture4.image()));
}

// A file that could not be written is named to the user with the system's reason, from the
// main window and from the editor; a cancel and a save that worked say nothing.
TEST_F(Saving, AFileThatCannotBeWrittenIsNamedToTheUser)
{
    const QString full = out.filePath("full");
    const real_files::FullDisk disk(full);
    if (!disk.isMounted())
        GTEST_SKIP() << "mounting a tmpfs is not permitted here (needs root)";
    window().mnupicture_Click();
    form9 &editor = *window().editorWindow();
    const std::function<void()> saves[] = {[&] { window().mnusave_Click(); },
                                           [&] { editor.mnusave_Click(); }};
    for (const auto &saveNow : saves) {
        messages.shown.clear();
        dialogs.answer(std::nullopt);
        saveNow();
        dialogs.answer(out.filePath("fine.bmp"));
        saveNow();
        EXPECT_TRUE(messages.shown.isEmpty());

        dialogs.answer(full + "/stripes.bmp");
        saveNow();
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Lintaro"));
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("保存できませんでした\n%1/stripes.bmp\nNo space left on device")
                      .arg(full));
        EXPECT_TRUE(entries(full).isEmpty());
    }
}

// The dialogs start in the program's folder while the user may write there; an installed
// program's folder sends them to the user's pictures, or home when there are none.
TEST_F(Saving, DialogsStartWhereTheUserMayWrite)
{
    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(out.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(out.filePath("config")));
    const QString installed = QStringLiteral("/nonexistent/usr/bin/");
    EXPECT_EQ(dialogStartFolder(vars().appFolder), vars().appFolder);
    EXPECT_EQ(dialogStartFolder(installed), out.path());
    ASSERT_TRUE(QDir(out.path()).mkdir("Pictures"));
    vars().appFolder = installed;
    const size_t before = dialogs.shown().size();
    save(std::nullopt);
    dialogs.answer(std::nullopt);
    window().Command1_Click(0);
    ASSERT_EQ(dialogs.shown().size(), before + 2);
    for (size_t i = before; i < dialogs.shown().size(); ++i)
        EXPECT_EQ(dialogs.shown()[i].request.initDir, out.filePath("Pictures"));
    qputenv("HOME", home);
    config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
}

} // namespace
