#include "platform/surface_view.h"
#include "support/drop.h"
#include "support/program_fixture.h"
#include "support/real_files.h"

#include <QElapsedTimer>
#include <QFile>

#include <sys/stat.h>

namespace
{

// The memory the process holds now, in MB.
double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

class RealPictures : public ProgramFixture
{
  protected:
    // Loads by the slot's open dialog, then by a drop on its thumbnail; returns whether the
    // drag was accepted.
    bool loadBothWays(int slot, const QString &path)
    {
        dialogs.answer(path);
        window().Command1_Click(slot);
        return dropOn(slot == 0 ? window().Image4View : window().Image5View, {path});
    }
};

// Memory follows what is drawn: a few hundred bytes claiming 46000 x 46000 pixels, and a
// FIFO, are refused at once by both roads, holding nothing; a real 12 MP photograph costs
// little more than its canvases.
TEST_F(RealPictures, MemoryFollowsWhatIsDrawnNeverWhatAHeaderClaims)
{
    const QString ordinary = temp.filePath("ordinary.jpg");
    const QString claim = temp.filePath("claim.jpg");
    const QString fifo = temp.filePath("fifo.jpg");
    const QString photo = temp.filePath("photo.jpg");
    ASSERT_TRUE(real_files::writeJpeg(ordinary, QSize(640, 480)));
    ASSERT_TRUE(real_files::writeBytes(claim, real_files::jpegClaiming(QSize(46000, 46000))));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(real_files::writeJpeg(photo, QSize(4000, 3000)));

    EXPECT_TRUE(loadBothWays(1, ordinary));
    const double afterOrdinary = residentMb();
    for (const QString &path : {claim, fifo}) {
        SCOPED_TRACE(path.toStdString());
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(loadBothWays(1, path));
        EXPECT_LT(clock.elapsed(), 500);
        EXPECT_TRUE(surfaces().Image5.picture().isNull()); // emptied by the dialog's road
        EXPECT_LE(residentMb(), afterOrdinary + 20);
    }

    const double before = residentMb();
    dialogs.answer(photo);
    window().Command1_Click(0);
    EXPECT_EQ(surfaces().Picture7.size(), QSize(4000, 3000));
    EXPECT_FALSE(surfaces().Image4.picture().isNull());
    EXPECT_LE(residentMb(), before + 10);
    RecordProperty("rss_ordinary_mb", QString::number(afterOrdinary, 'f', 1).toStdString());
    RecordProperty("rss_4000x3000_delta_mb",
                   QString::number(residentMb() - before, 'f', 1).toStdString());
}

} // namespace
