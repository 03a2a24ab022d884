#include "platform/file_writing.h"

#include "platform/atomic_file.h"

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    AtomicFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throwNotWritten(file);
}
