#include "platform/file_writing.h"

#include "platform/command_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

namespace
{

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw FileNotWritten(path.toStdString(), reason.toStdString());
}

const QString kDiskFull = QStringLiteral("No space left on device");

// The system's reason for a failed write. Qt reports some of them (a full disk when the
// data is flushed) only as an unknown error; the error number still tells.
QString reasonOf(const QFileDevice &file)
{
    const int error = errno;
    if (file.error() == QFileDevice::NoError ||
        file.errorString() == QLatin1String("Unknown error"))
        return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : file.errorString();
    return file.errorString();
}

// Whether the disk holding the folder has room for `needed` more bytes. A disk that cannot
// be asked is assumed to have room; the write itself then tells.
bool hasRoom(const QString &path, qint64 needed)
{
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    // Some network and virtual file systems report no size at all: nothing to go by.
    if (!disk.isValid() || disk.bytesTotal() <= 0)
        return true;
    return disk.bytesAvailable() >= needed;
}

// In place: opened without truncating, so nothing of the old file is lost unless the new
// content fits on the disk.
void writeInPlace(const QString &path, const QByteArray &bytes, const QString &firstReason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        fail(path, firstReason);
    if (!hasRoom(path, bytes.size() - file.size()))
        fail(path, kDiskFull);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.resize(bytes.size()) || !file.flush())
        fail(path, reasonOf(file));
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(path, reasonOf(file));
}

} // namespace

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        fail(path, QStringLiteral("No file name"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // The folder refused the temporary file (no permission, a read-only mount); an
        // existing regular file may still be writable by itself.
        const QString reason = file.errorString();
        if (QFileInfo(path).isFile())
            writeInPlace(path, bytes, reason);
        else
            fail(path, reason);
        return;
    }
    // Nothing is written that cannot fit: the old file stays either way, but the reason is
    // then certain.
    if (!hasRoom(path, bytes.size())) {
        file.cancelWriting();
        fail(path, kDiskFull);
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const QString reason = reasonOf(file);
        file.cancelWriting();
        fail(path, reason);
    }
    if (!file.commit())
        fail(path, reasonOf(file));
}
