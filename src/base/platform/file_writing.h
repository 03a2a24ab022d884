#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes as the whole content of the file at exactly this path. The bytes go
// into a temporary file beside it that then replaces the old file in one step, so a failed
// write leaves the old file as it was and nothing behind. Where the folder refuses new
// files but the file itself exists and may be written (a user's file in a shared folder),
// it is written in place instead, and only when the disk has room for it.
// Throws FileNotWritten with the system's reason on failure.
void writeWholeFile(const QString &path, const QByteArray &bytes);
