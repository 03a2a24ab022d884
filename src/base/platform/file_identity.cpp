#include "platform/file_identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

QString reachedPath(const QString &path)
{
    QString reached = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (int step = 0; step < 40; ++step) {
        const QFileInfo info(reached);
        if (!info.isSymLink())
            break;
        reached = QDir::cleanPath(info.symLinkTarget());
    }
    return reached;
}

QString fileKey(const QString &path)
{
    const QString reached = reachedPath(path);
    struct stat status {
    };
    if (::stat(QFile::encodeName(reached).constData(), &status) == 0)
        return QStringLiteral("file %1:%2").arg(status.st_dev).arg(status.st_ino);
    const QFileInfo info(reached);
    const QString folder = info.dir().canonicalPath();
    return QStringLiteral("name ") +
           (folder.isEmpty() ? reached : QDir(folder).filePath(info.fileName()));
}

QString outputRefusal(const QString &path)
{
    struct stat status {
    };
    if (::stat(QFile::encodeName(reachedPath(path)).constData(), &status) != 0)
        return errno == ELOOP ? QString::fromLocal8Bit(std::strerror(errno)) : QString();
    return S_ISREG(status.st_mode) ? QString() : QStringLiteral("not a regular file");
}
