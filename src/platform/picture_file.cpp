#include "platform/picture_file.h"

#include "platform/command_error.h"
#include "platform/surface.h"

#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>

QImage loadPicture(const QString &path)
{
    return loadPictureFor(path, QSize()).picture;
}

DecodedPicture loadPictureFor(const QString &path, QSize bound)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    const int side = std::max(bound.width(), bound.height());
    int factor = 1;
    if (!path.isEmpty() && side > 0 && stored.isValid() && reader.format() == "jpeg") {
        while (factor < 8 && std::min(stored.width(), stored.height()) / (factor * 2) >= side)
            factor *= 2;
    }
    // The decoder's own reduced sizes round up; asking for exactly that size leaves Qt
    // nothing to resample afterwards.
    const QSize reduced((stored.width() + factor - 1) / factor,
                        (stored.height() + factor - 1) / factor);
    if (factor > 1)
        reader.setScaledSize(reduced);
    QImage picture;
    if (path.isEmpty() || !reader.read(&picture) || picture.isNull())
        throw CommandError("cannot decode picture");
    QSize natural = picture.size();
    if (factor > 1) {
        // An orientation tag may have turned the picture upright after decoding.
        natural = picture.size() == reduced ? stored : stored.transposed();
    }
    return {asSurfaceImage(picture), natural};
}

namespace
{

void writePicture(const QImage &picture, const QString &path, const char *format)
{
    const std::string name = path.toStdString();
    if (path.isEmpty() || picture.isNull())
        throw FileNotWritten(name, "nothing to save");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileNotWritten(name, file.errorString().toStdString());
    QImageWriter writer(&file, format);
    if (!writer.write(picture)) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        file.cancelWriting();
        throw FileNotWritten(name, reason.toStdString());
    }
    if (!file.commit())
        throw FileNotWritten(name, file.errorString().toStdString());
}

} // namespace

void savePictureAsBmp(const QImage &picture, const QString &path)
{
    writePicture(picture, path, "BMP");
}

void savePicture(const QImage &picture, const QString &path)
{
    writePicture(picture, path,
                 path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "PNG" : "BMP");
}
