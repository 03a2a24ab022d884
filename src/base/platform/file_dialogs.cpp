#include "platform/file_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>

#include <algorithm>

QStringList toQtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

QString readablePicturesFilter()
{
    QStringList patterns;
    for (const QByteArray &suffix : QImageReader::supportedImageFormats())
        patterns << QStringLiteral("*.") + QString::fromLatin1(suffix).toLower();
    // "jpg" before "jpeg", "tif" beside "tiff": sorted and without repeats.
    std::sort(patterns.begin(), patterns.end());
    patterns.erase(std::unique(patterns.begin(), patterns.end()), patterns.end());
    const QString list = patterns.join(QLatin1Char(' '));
    // The patterns stand twice: once as the description the user reads, once for the
    // dialog to match.
    return QStringLiteral("すべての絵 (%1) (%1)").arg(list);
}

QString dialogStartFolder(const QString &appFolder)
{
    const QFileInfo folder(appFolder);
    if (folder.isDir() && folder.isWritable())
        return appFolder;
    // An installed program lives in a system folder the user cannot write to; the user's
    // own pictures are the natural place to start instead.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

FileDialogRequest pictureOpenRequest(const QString &folder)
{
    return FileDialogRequest{QStringLiteral("(*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg"),
                             dialogStartFolder(folder), QString(), 0};
}

FileDialogRequest bitmapSaveRequest(const QString &folder)
{
    return FileDialogRequest{QStringLiteral("(*.bmp)|*.bmp"), dialogStartFolder(folder), QString(),
                             0};
}

FileDialogRequest animationSaveRequest(const QString &folder)
{
    return FileDialogRequest{QStringLiteral("(*.gif)|*.gif|(*.webp)|*.webp"), folder, QString(), 0};
}
