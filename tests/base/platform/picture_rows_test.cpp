#include "platform/atomic_file.h"
#include "platform/file_group.h"
#include "platform/picture_file.h"
#include "platform/picture_rows.h"
#include "platform/png_encoding.h"
#include "support/pixel_checks.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Written a band at a time (a bitmap from its last band up, the last band short, rows
// padded at an odd width), a file holds the very bytes the whole picture is saved as.
TEST(PictureRows, FilesWrittenInBandsHoldTheBytesOfTheWholePicture)
{
    QTemporaryDir temp;
    for (const QSize size : {QSize(257, 2 * kBandRows + 44), QSize(5, 1)}) {
        SCOPED_TRACE(::testing::Message() << size.width() << " x " << size.height());
        const QImage picture = pixels::randomPicture(size.width(), size.height(), 5);
        FileGroup group;
        savePictureRows(size, rowsOf(picture), temp.filePath("banded.png"), group);
        savePictureRows(size, rowsOf(picture), temp.filePath("banded.bmp"), group);
        group.commit();
        savePicture(picture, temp.filePath("whole.bmp"));
        EXPECT_EQ(readAll(temp.filePath("banded.png")), encodePng(picture));
        EXPECT_EQ(readAll(temp.filePath("banded.bmp")), readAll(temp.filePath("whole.bmp")));
        EXPECT_EQ(encodePngRows(size, rowsOf(picture)), encodePng(picture));
        EXPECT_TRUE(pixels::sameImage(imageFromRows(size, rowsOf(picture)), picture));
    }
}

} // namespace
