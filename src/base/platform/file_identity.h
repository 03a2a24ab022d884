#pragma once

#include <QString>

// What a file name reaches, for telling whether two names are one file before either is
// written: a symbolic link is the file it points to, and two names of one file (a hard
// link, a folder reached two ways) are the same file.

// The name once every symbolic link on it is followed, made absolute. A missing file (a new
// output) keeps its own name; a loop of links stops after 40 steps.
QString reachedPath(const QString &path);

// Equal for two names of the same file: its device and inode when it exists, else the
// real path of its folder and its own name.
QString fileKey(const QString &path);

// Whether a file may be written under this name: empty when nothing is there or a regular
// file is, else why not ("not a regular file" for a FIFO, a device, a socket or a folder,
// which are never replaced).
QString outputRefusal(const QString &path);
