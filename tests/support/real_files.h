#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QString>

#include <sys/mount.h>
#include <sys/stat.h>

// Real files of the kinds users meet, made at run time: large photographs and scans, a
// tiny file whose header claims a huge picture, and folders that fail the way real disks
// and mounts do.
namespace real_files
{

// A photograph-like picture of the given size (soft ramps and hard edges), written as a
// JPEG at low quality so that even 100 MP stay small and quick to make. Rows are filled
// directly: a per-pixel loop would dominate the test's time.
inline bool writeJpeg(const QString &path, QSize size,
                      QImage::Format format = QImage::Format_RGB888)
{
    QImage picture(size, format);
    if (picture.isNull())
        return false;
    for (int y = 0; y < size.height(); ++y) {
        uchar *row = picture.scanLine(y);
        const int bytes = int(picture.bytesPerLine());
        for (int i = 0; i < bytes; ++i)
            row[i] = uchar((i / 64 + y / 48) % 2 ? 200 - (y * 120 / size.height()) : i * 7);
    }
    QImageWriter writer(path, "jpeg");
    writer.setQuality(5);
    return writer.write(picture);
}

// A valid 16 x 16 JPEG whose frame header claims the given size: a few hundred bytes that
// a careless reader would turn into gigabytes.
inline QByteArray jpegClaiming(QSize claimed)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(Qt::gray);
    small.save(&buffer, "JPEG", 50);
    // The start-of-frame marker (baseline FFC0): length, precision, height, width.
    const qsizetype sof = bytes.indexOf(QByteArray::fromHex("FFC0"));
    if (sof < 0)
        return QByteArray();
    bytes[sof + 5] = char(claimed.height() >> 8);
    bytes[sof + 6] = char(claimed.height() & 0xFF);
    bytes[sof + 7] = char(claimed.width() >> 8);
    bytes[sof + 8] = char(claimed.width() & 0xFF);
    return bytes;
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A small tmpfs mounted on a new folder for the life of the object: a disk that fills up.
// Mounting needs root (or a user namespace); isMounted() says whether it worked.
class FullDisk
{
  public:
    FullDisk(const QString &folder, const char *size = "size=64k") : folder_(folder)
    {
        QDir().mkpath(folder);
        mounted_ = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, size) == 0;
    }
    ~FullDisk()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
    }
    bool isMounted() const { return mounted_; }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

  private:
    QString folder_;
    bool mounted_ = false;
};

// A folder mounted read-only over itself, with one file in it mounted writable over itself:
// a folder where the user may not create files, holding a file the user may write. Root
// ignores permissions but not a read-only mount.
class ReadOnlyFolderWithWritableFile
{
  public:
    ReadOnlyFolderWithWritableFile(const QString &folder, const QString &writableFile)
        : folder_(QFile::encodeName(folder)), file_(QFile::encodeName(writableFile))
    {
        const char *dir = folder_.constData();
        folderMounted_ = ::mount(dir, dir, nullptr, MS_BIND, nullptr) == 0;
        if (!folderMounted_)
            return;
        if (::mount(nullptr, dir, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            return;
        const char *file = file_.constData();
        fileMounted_ = ::mount(file, file, nullptr, MS_BIND, nullptr) == 0;
        // A bind mount keeps the read-only flag of where it came from until remounted.
        fileWritable_ =
            fileMounted_ && ::mount(nullptr, file, nullptr, MS_REMOUNT | MS_BIND, nullptr) == 0;
    }
    ~ReadOnlyFolderWithWritableFile()
    {
        if (fileMounted_)
            ::umount2(file_.constData(), MNT_DETACH);
        if (folderMounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
    }
    bool isMounted() const { return fileWritable_; }
    ReadOnlyFolderWithWritableFile(const ReadOnlyFolderWithWritableFile &) = delete;
    ReadOnlyFolderWithWritableFile &operator=(const ReadOnlyFolderWithWritableFile &) = delete;

  private:
    QByteArray folder_;
    QByteArray file_;
    bool folderMounted_ = false;
    bool fileMounted_ = false;
    bool fileWritable_ = false;
};

} // namespace real_files
