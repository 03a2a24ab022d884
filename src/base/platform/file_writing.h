#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes as the whole content of the file at exactly this path, whole or not at
// all (see AtomicFile): a failed write leaves the old file as it was and nothing behind.
// Throws FileNotWritten with the system's reason on failure.
void writeWholeFile(const QString &path, const QByteArray &bytes);
