#include "platform/atomic_file.h"

#include "platform/command_error.h"
#include "platform/file_identity.h"
#include "platform/temporary_names.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace
{

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A write past the file-size limit is to fail with EFBIG like a full disk, not to end
// the program half-way through a file.
void failWritesPastTheSizeLimit()
{
    struct sigaction current {
    };
    if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

QByteArray randomSuffix()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(".");
    for (int i = 0; i < 6; ++i)
        suffix += letters[QRandomGenerator::global()->bounded(int(sizeof(letters) - 1))];
    return suffix;
}

bool writeAll(int fd, const char *data, qint64 length, qint64 offset)
{
    while (length > 0) {
        const ssize_t written = ::pwrite(fd, data, size_t(length), off_t(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        length -= written;
        offset += written;
    }
    return true;
}

// Room on the disk for `needed` more bytes; a disk that cannot say is taken to have it.
bool hasRoom(int fd, qint64 needed)
{
    struct statvfs disk {
    };
    if (needed <= 0 || ::fstatvfs(fd, &disk) != 0 || disk.f_blocks == 0)
        return true;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize) >= needed;
}

bool withinSizeLimit(qint64 length)
{
    rlimit limit{};
    return getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           rlim_t(length) <= limit.rlim_cur;
}

} // namespace

AtomicFile::AtomicFile(const QString &path) : path_(path) {}

AtomicFile::~AtomicFile()
{
    cancelWriting();
}

bool AtomicFile::failWith(const QString &reason)
{
    setErrorString(reason);
    failed_ = true;
    return false;
}

bool AtomicFile::open(OpenMode mode)
{
    if (mode_ != Mode::Closed || (mode & ReadOnly) || !(mode & WriteOnly))
        return failWith(QStringLiteral("can only be opened for writing"));
    if (path_.isEmpty())
        return failWith(QStringLiteral("No file name"));
    failWritesPastTheSizeLimit();
    target_ = reachedPath(path_);
    const QString refusal = outputRefusal(target_);
    if (!refusal.isEmpty())
        return failWith(refusal);
    struct stat status {
    };
    existed_ = ::stat(QFile::encodeName(target_).constData(), &status) == 0;
    oldMode_ = existed_ ? status.st_mode & 07777 : 0;
    failed_ = false;
    length_ = 0;
    if (!openTemporary())
        return false;
    return QIODevice::open(WriteOnly | Unbuffered);
}

bool AtomicFile::openTemporary()
{
    const QByteArray folder = QFile::encodeName(QFileInfo(target_).absolutePath());
    // Unnamed first: nothing can be left behind. The name it gets at the end needs /proc.
    if (::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            mode_ = Mode::Unnamed;
            return true;
        }
    }
    const QByteArray base = QFile::encodeName(target_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const temporary_names::SignalsHeld held;
        temporary_ = base + randomSuffix();
        remembered_ = temporary_names::remember(temporary_);
        fd_ = ::open(temporary_.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            mode_ = Mode::Named;
            return true;
        }
        const int error = errno;
        temporary_names::forget(remembered_);
        remembered_ = -1;
        temporary_.clear();
        if (error == EEXIST)
            continue;
        if (error == EACCES || error == EPERM || error == EROFS)
            return openInPlace(systemReason(error));
        return failWith(systemReason(error));
    }
    return failWith(QStringLiteral("no free temporary name"));
}

// The folder refuses new files. The old file may still be written over, but only when its
// old content can be kept to put back: otherwise the folder is simply not writable.
bool AtomicFile::openInPlace(const QString &folderReason)
{
    if (!existed_)
        return failWith(folderReason);
    fd_ = ::open(QFile::encodeName(target_).constData(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0)
        return failWith(folderReason);
    mode_ = Mode::InPlace;
    content_.clear();
    return true;
}

qint64 AtomicFile::writeData(const char *data, qint64 length)
{
    if (failed_)
        return -1;
    const qint64 at = pos();
    if (mode_ == Mode::InPlace) {
        if (at + length > content_.size())
            content_.resize(at + length);
        std::memcpy(content_.data() + at, data, size_t(length));
    } else if (!writeAll(fd_, data, length, at)) {
        failWith(systemReason(errno));
        return -1;
    }
    length_ = std::max(length_, at + length);
    return length;
}

bool AtomicFile::finish()
{
    if (mode_ == Mode::Closed || failed_)
        return false;
    if (mode_ == Mode::InPlace)
        return true;
    if (existed_)
        ::fchmod(fd_, oldMode_);
    if (::fsync(fd_) != 0 && errno != EINVAL)
        return failWith(systemReason(errno));
    if (mode_ == Mode::Unnamed) {
        // Given a name only now, and remembered before it exists.
        const QByteArray fdPath = "/proc/self/fd/" + QByteArray::number(fd_);
        const QByteArray base = QFile::encodeName(target_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            temporary_ = base + randomSuffix();
            remembered_ = temporary_names::remember(temporary_);
            if (::linkat(AT_FDCWD, fdPath.constData(), AT_FDCWD, temporary_.constData(),
                         AT_SYMLINK_FOLLOW) == 0)
                return true;
            const int error = errno;
            temporary_names::forget(remembered_);
            remembered_ = -1;
            temporary_.clear();
            if (error != EEXIST)
                return failWith(systemReason(error));
        }
        return failWith(QStringLiteral("no free temporary name"));
    }
    return true;
}

bool AtomicFile::rename()
{
    if (::rename(temporary_.constData(), QFile::encodeName(target_).constData()) != 0)
        return failWith(systemReason(errno));
    temporary_names::forget(remembered_);
    remembered_ = -1;
    temporary_.clear();
    ::close(fd_);
    fd_ = -1;
    mode_ = Mode::Closed;
    QIODevice::close();
    return true;
}

bool AtomicFile::replace()
{
    const QByteArray target = QFile::encodeName(target_);
    // Looked at now, not when opened: what is there at this moment is what must come back.
    struct stat status {
    };
    bool movedAside = false;
    if (::lstat(target.constData(), &status) == 0) {
        if (!S_ISREG(status.st_mode))
            return failWith(QStringLiteral("not a regular file"));
        int error = EEXIST;
        for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
            backup_ = target + randomSuffix();
            error = ::link(target.constData(), backup_.constData()) == 0 ? 0 : errno;
        }
        // A file system without hard links: the old file is moved aside instead, which the
        // held signals keep from being seen half-done.
        if (error != 0 && error != EEXIST &&
            ::rename(target.constData(), backup_.constData()) == 0) {
            error = 0;
            movedAside = true;
        }
        if (error != 0) {
            backup_.clear();
            return failWith(systemReason(error));
        }
    }
    if (rename())
        return true;
    if (movedAside)
        undoReplace();
    else
        dropBackup();
    return false;
}

void AtomicFile::undoReplace()
{
    const QByteArray target = QFile::encodeName(target_);
    if (backup_.isEmpty()) {
        ::unlink(target.constData());
        return;
    }
    // Should this fail, the old content stays under the backup name rather than be lost.
    ::rename(backup_.constData(), target.constData());
    backup_.clear();
}

void AtomicFile::dropBackup()
{
    if (!backup_.isEmpty())
        ::unlink(backup_.constData());
    backup_.clear();
}

bool AtomicFile::writeInPlace()
{
    const QByteArray fresh = content_;
    if (!withinSizeLimit(fresh.size()))
        return failWith(systemReason(EFBIG));
    struct stat status {
    };
    if (::fstat(fd_, &status) != 0)
        return failWith(systemReason(errno));
    if (!hasRoom(fd_, fresh.size() - qint64(status.st_size)))
        return failWith(systemReason(ENOSPC));
    QByteArray old(qsizetype(status.st_size), Qt::Uninitialized);
    qint64 got = 0;
    while (got < old.size()) {
        const ssize_t n = ::pread(fd_, old.data() + got, size_t(old.size() - got), off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failWith(QStringLiteral("the folder does not allow new files, and the old "
                                           "file cannot be read to keep it safe"));
        got += n;
    }
    content_ = old;
    if (!writeAll(fd_, fresh.constData(), fresh.size(), 0) ||
        ::ftruncate(fd_, off_t(fresh.size())) != 0 || ::fsync(fd_) != 0) {
        const int error = errno;
        restoreInPlace();
        return failWith(systemReason(error));
    }
    return true;
}

void AtomicFile::restoreInPlace()
{
    writeAll(fd_, content_.constData(), content_.size(), 0);
    ::ftruncate(fd_, off_t(content_.size()));
    ::fsync(fd_);
}

void AtomicFile::removeTemporary()
{
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
    temporary_names::forget(remembered_);
    remembered_ = -1;
    temporary_.clear();
}

bool AtomicFile::commit()
{
    bool done = false;
    {
        const temporary_names::SignalsHeld held;
        if (mode_ == Mode::InPlace)
            done = writeInPlace();
        else
            done = finish() && rename();
    }
    const QString reason = errorString();
    cancelWriting();
    if (!done)
        setErrorString(reason);
    return done;
}

void AtomicFile::cancelWriting()
{
    {
        const temporary_names::SignalsHeld held;
        removeTemporary();
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    content_.clear();
    mode_ = Mode::Closed;
    if (isOpen())
        QIODevice::close();
}

void throwNotWritten(const AtomicFile &file)
{
    throw FileNotWritten(file.path().toStdString(), file.errorString().toStdString());
}
