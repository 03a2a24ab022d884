#include "platform/picture_file.h"

#include "platform/command_error.h"
#include "platform/surface.h"

#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

QImage loadPicture(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage picture;
    if (path.isEmpty() || !reader.read(&picture) || picture.isNull())
        throw CommandError("cannot decode picture");
    return asSurfaceImage(picture);
}

void savePictureAsBmp(const QImage &picture, const QString &path)
{
    if (path.isEmpty() || picture.isNull())
        throw CommandError("nothing to save");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw CommandError("cannot open file for writing");
    QImageWriter writer(&file, "BMP");
    if (!writer.write(picture)) {
        file.cancelWriting();
        throw CommandError("cannot write bitmap");
    }
    if (!file.commit())
        throw CommandError("cannot replace file");
}
