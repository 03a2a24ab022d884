#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// A file written whole or not at all. What is written goes into a temporary file beside
// the file it replaces (unnamed where the file system allows, else a remembered name that a
// signal removes); commit() then puts it in place with one rename. Where the folder refuses
// new files but the file itself exists and may be written, the content is kept in memory and
// written over the old file only when the disk and the file-size limit have room for it,
// with the old content put back should the write still fail. A symbolic link is followed,
// as the file it points to is what the user means; a FIFO, a device or a folder under the
// name is refused and left alone. Nothing is written before open() succeeds.
class AtomicFile : public QIODevice
{
  public:
    explicit AtomicFile(const QString &path);
    ~AtomicFile() override;

    // WriteOnly only. On failure errorString() gives the system's reason.
    bool open(OpenMode mode) override;
    bool isSequential() const override { return false; }
    qint64 size() const override { return length_; }

    // Puts the written content in place of the file; false with the reason when it could
    // not, and then the old file is as it was and no temporary is left.
    bool commit();
    // Drops what was written; the old file stays as it was.
    void cancelWriting();

    const QString &path() const { return path_; }
    // Whether a write has failed; errorString() then says why.
    bool failed() const { return failed_; }

  protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 length) override;

  private:
    friend class FileGroup;
    enum class Mode { Closed, Unnamed, Named, InPlace };

    bool openTemporary();
    bool openInPlace(const QString &folderReason);
    // Everything but the last step: the content synced and under a temporary name.
    bool finish();
    bool rename();
    // rename() for a member of a group: the old file is first kept under a name of its own,
    // so that undoReplace() can put it back until dropBackup().
    bool replace();
    void undoReplace();
    void dropBackup();
    bool writeInPlace();
    void restoreInPlace();
    bool failWith(const QString &reason);
    void removeTemporary();

    QString path_;   // as named
    QString target_; // the file it reaches
    Mode mode_ = Mode::Closed;
    int fd_ = -1;
    QByteArray temporary_;
    int remembered_ = -1;
    QByteArray backup_; // the old file while its group is put in place
    bool existed_ = false;
    unsigned int oldMode_ = 0;
    qint64 length_ = 0;
    QByteArray content_; // in place: the new content, then the old one for an undo
    bool failed_ = false;
};

// Throws FileNotWritten for the file with the reason it gives.
[[noreturn]] void throwNotWritten(const AtomicFile &file);
