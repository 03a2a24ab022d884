#include "platform/file_group.h"

#include "platform/command_error.h"
#include "platform/temporary_names.h"

#include <QDir>
#include <QFileInfo>

FileGroup::~FileGroup()
{
    files_.clear();
    removeMadeFolders();
}

void FileGroup::makeFolder(const QString &path)
{
    QStringList missing;
    for (QString folder = QDir::cleanPath(QDir(path).absolutePath());
         !QFileInfo(folder).exists() && !QFileInfo(folder).isSymLink();
         folder = QFileInfo(folder).path())
        missing.prepend(folder);
    if (missing.isEmpty())
        return;
    const bool made = QDir().mkpath(missing.last());
    for (const QString &folder : missing)
        if (QFileInfo(folder).isDir())
            madeFolders_ << folder;
    if (!made)
        throw FileNotWritten(path.toStdString(), "cannot make the folder");
}

void FileGroup::removeMadeFolders()
{
    // Innermost first; a folder something else has put a file in meanwhile stays.
    for (auto it = madeFolders_.crbegin(); it != madeFolders_.crend(); ++it)
        QDir().rmdir(*it);
    madeFolders_.clear();
}

AtomicFile &FileGroup::open(const QString &path)
{
    files_.push_back(std::make_unique<AtomicFile>(path));
    AtomicFile &file = *files_.back();
    if (!file.open(QIODevice::WriteOnly))
        throwNotWritten(file);
    return file;
}

void FileGroup::add(const QString &path, const QByteArray &bytes)
{
    AtomicFile &file = open(path);
    if (file.write(bytes) != bytes.size())
        throwNotWritten(file);
}

void FileGroup::commit()
{
    const temporary_names::SignalsHeld held;
    for (auto &file : files_)
        if (!file->finish())
            throwNotWritten(*file);
    // Every file put in place so far, to be put back should a later one fail.
    std::vector<AtomicFile *> done;
    const auto fail = [&done](const AtomicFile &failed) {
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            if ((*it)->mode_ == AtomicFile::Mode::InPlace)
                (*it)->restoreInPlace();
            else
                (*it)->undoReplace();
        }
        throwNotWritten(failed);
    };
    // Files written over in place go first: each can still be put back.
    for (auto &file : files_) {
        if (file->mode_ != AtomicFile::Mode::InPlace)
            continue;
        if (!file->writeInPlace())
            fail(*file);
        done.push_back(file.get());
    }
    for (auto &file : files_) {
        if (file->mode_ == AtomicFile::Mode::InPlace)
            continue;
        if (!file->replace())
            fail(*file);
        done.push_back(file.get());
    }
    for (auto &file : files_)
        file->dropBackup();
    files_.clear();
    madeFolders_.clear();
}
