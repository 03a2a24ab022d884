#pragma once

#include "platform/atomic_file.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Several files written as one: each into its own temporary, and only when all are whole
// are they put in place, together. A failure at any point, also when one of the renames
// fails after others were done, leaves every old file as it was, no new file, no temporary
// and no folder made for the group.
class FileGroup
{
  public:
    FileGroup() = default;
    ~FileGroup();
    FileGroup(const FileGroup &) = delete;
    FileGroup &operator=(const FileGroup &) = delete;

    // Makes the folder with any missing parents; those it made are removed again unless the
    // group is put in place. Throws FileNotWritten naming the folder.
    void makeFolder(const QString &path);
    // Opens the next file of the group. Throws FileNotWritten naming it.
    AtomicFile &open(const QString &path);
    // Writes the whole content of the next file. Throws FileNotWritten.
    void add(const QString &path, const QByteArray &bytes);
    // Puts every file in place. Throws FileNotWritten naming the file that failed.
    void commit();

  private:
    void removeMadeFolders();

    std::vector<std::unique_ptr<AtomicFile>> files_;
    QStringList madeFolders_; // outermost first
};
