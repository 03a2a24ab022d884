#include "frames_window/lattice_file_name.h"

#include <QDir>
#include <QFileInfo>

QString framesPictureFileName(const QString &chosen)
{
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("bmp"))
        return chosen;
    return chosen + QStringLiteral(".bmp");
}

QString latticeFileName(const QString &picturePath)
{
    const QFileInfo picture(QDir::fromNativeSeparators(picturePath));
    const QString name =
        QStringLiteral("%1_格子.%2").arg(picture.completeBaseName(), picture.suffix());
    return QDir::toNativeSeparators(picture.dir().filePath(name));
}
