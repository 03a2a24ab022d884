#include "platform/file_writing.h"

#include "platform/command_error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace
{

[[noreturn]] void fail(const QString &path, const QString &reason)
{
    throw FileNotWritten(path.toStdString(), reason.toStdString());
}

// In place: opened without truncating, so nothing of the old file is lost unless the new
// content fits on the disk.
void writeInPlace(const QString &path, const QByteArray &bytes, const QString &firstReason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        fail(path, firstReason);
    const QStorageInfo disk(path);
    if (disk.isValid() && disk.bytesAvailable() + file.size() < bytes.size())
        fail(path, QStringLiteral("No space left on device"));
    if (file.write(bytes) != bytes.size() || !file.resize(bytes.size()) || !file.flush())
        fail(path, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        fail(path, file.errorString());
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
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        fail(path, reason);
    }
    if (!file.commit())
        fail(path, file.errorString());
}
