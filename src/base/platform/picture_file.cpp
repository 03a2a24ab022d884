#include "platform/picture_file.h"

#include "platform/bmp_bands.h"
#include "platform/command_error.h"
#include "platform/file_group.h"
#include "platform/file_writing.h"
#include "platform/picture_damage.h"
#include "platform/png_encoding.h"
#include "platform/png_bands.h"
#include "platform/smooth_scaling.h"
#include "platform/surface.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace
{

// A picture of the largest size at 16 bits per channel, the widest format a reader
// decodes into, with room to spare.
constexpr int kReaderLimitMegabytes = int(kLargestPicturePixels * 8 / (1024 * 1024)) + 64;

// Other formats than JPEG are kept whole up to this many pixels.
constexpr qint64 kKeptWholePixels = 4 * 1024 * 1024;

// What a decoder may hold for one picture: the largest picture at 4 bytes a pixel.
constexpr qint64 kDecoderBudgetBytes = kLargestPicturePixels * 4;

// Whether a JPEG's frame is progressive: its coefficients are then all held until the last
// scan. Walks the header's segments up to the frame, from the file's start wherever the
// reader left it.
bool progressiveJpeg(QIODevice &file)
{
    const qint64 was = file.pos();
    if (!file.seek(0))
        return false;
    const QByteArray head = file.peek(1 << 20);
    file.seek(was);
    qsizetype at = 2;
    while (at + 4 <= head.size() && uchar(head[at]) == 0xFF) {
        const uchar marker = uchar(head[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        at += 2 + ((uchar(head[at + 2]) << 8) | uchar(head[at + 3]));
    }
    return false;
}

bool tooLarge(QSize size)
{
    return qint64(size.width()) * size.height() > kLargestPicturePixels;
}

// Opens a regular file for reading; anything else is refused before it is opened.
void openPictureFile(QFile &file)
{
    if (file.fileName().isEmpty() || !QFileInfo(file.fileName()).isFile())
        throw CommandError("not a picture file");
    if (!file.open(QIODevice::ReadOnly))
        throw CommandError("cannot open picture file");
}

// The reduction 1, 2, 4 or 8 that keeps at least the bound's larger side both ways.
int reductionFor(QSize stored, QSize bound)
{
    const int side = std::max(bound.width(), bound.height());
    int factor = 1;
    if (side > 0 && stored.isValid()) {
        while (factor < 8 && std::min(stored.width(), stored.height()) / (factor * 2) >= side)
            factor *= 2;
    }
    return factor;
}

} // namespace

void usePictureReaderLimits()
{
    static const bool set = [] {
        QImageReader::setAllocationLimit(kReaderLimitMegabytes);
        return true;
    }();
    (void)set;
}

QSize storedPictureSize(QImageReader &reader)
{
    const QSize size = reader.size();
    return QSize(std::abs(size.width()), std::abs(size.height()));
}

bool looksLikePictureFile(const QString &path)
{
    usePictureReaderLimits();
    QFile file(path);
    if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&file);
    return reader.canRead() && !tooLarge(storedPictureSize(reader));
}

QImage loadPicture(const QString &path)
{
    return loadPictureFor(path, QSize()).picture;
}

DecodedPicture loadPictureFor(const QString &path, QSize bound, WhenDamaged damaged)
{
    usePictureReaderLimits();
    QFile file(path);
    openPictureFile(file);
    const bool refuseDamaged = damaged == WhenDamaged::Refuse;
    if (refuseDamaged) {
        QString shortfall = bitmapShortfall(file);
        if (shortfall.isEmpty())
            shortfall = gifShortfall(path);
        if (!shortfall.isEmpty())
            throw PictureDamaged(shortfall);
    }
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize stored = storedPictureSize(reader);
    // A header may claim any size; only what is decoded costs memory, and nothing is
    // decoded for a claim beyond the largest picture.
    if (tooLarge(stored))
        throw CommandError("picture too large");
    const bool jpeg = reader.format() == "jpeg";
    int factor = reductionFor(stored, bound);
    if (!jpeg && qint64(stored.width()) * stored.height() <= kKeptWholePixels)
        factor = 1;
    // The decoder's own reduced sizes round up; asking for exactly that size leaves Qt
    // nothing to resample afterwards.
    const QSize reduced((stored.width() + factor - 1) / factor,
                        (stored.height() + factor - 1) / factor);
    if (factor > 1 && jpeg)
        reader.setScaledSize(reduced);
    // A large PNG or bitmap is reduced row by row as it is decoded, never held whole.
    if (factor > 1 && reader.format() == "png") {
        if (std::optional<QImage> banded = decodePngReduced(path, reduced, refuseDamaged))
            return {*banded, stored};
    }
    if (factor > 1 && reader.format() == "bmp") {
        if (std::optional<QImage> banded = decodeBmpReduced(path, reduced))
            return {*banded, stored};
    }
    // What the decoder holds, refused before it is taken: the decoded picture at its bytes
    // per pixel, and for a progressive JPEG every coefficient of the whole picture as well.
    // A header the decoder cannot read gives no format, or for some JPEGs none it set:
    // Qt's table of formats must not be indexed with it.
    const QImage::Format format = reader.imageFormat();
    const qint64 depthBytes =
        format > QImage::Format_Invalid && format < QImage::NImageFormats
            ? std::max(1, QImage::toPixelFormat(format).bitsPerPixel() / 8)
            : 4;
    const QSize decoded = factor > 1 && jpeg ? reduced : stored;
    const qint64 working =
        qint64(decoded.width()) * decoded.height() * std::max<qint64>(depthBytes, 4) +
        (jpeg && progressiveJpeg(file) ? qint64(stored.width()) * stored.height() * 6 : 0);
    if (working > kDecoderBudgetBytes)
        throw CommandError(QStringLiteral("decoding it would take %1 MB of memory, more than %2 MB")
                               .arg(working >> 20)
                               .arg(kDecoderBudgetBytes >> 20)
                               .toStdString());
    QImage picture;
    const DecoderWarnings warnings;
    const bool read = reader.read(&picture) && !picture.isNull();
    if (refuseDamaged && (!warnings.warnings().isEmpty() || (!read && file.atEnd())))
        throw PictureDamaged(warnings.warnings().isEmpty() ? QStringLiteral("the file is cut off")
                                                           : warnings.warnings().constFirst());
    if (!read)
        throw CommandError("cannot decode picture");
    // An orientation tag may have turned the picture upright after decoding.
    const bool turned = picture.size() != (jpeg ? reduced : stored);
    const QSize natural = factor == 1 ? picture.size() : turned ? stored.transposed() : stored;
    if (factor > 1 && !jpeg) {
        picture = smoothScaled(picture, turned ? reduced.transposed() : reduced);
    }
    return {asSurfaceImage(picture), natural};
}

namespace
{

QByteArray encodePicture(const QImage &picture, const QString &path, const char *format)
{
    if (picture.isNull())
        throw FileNotWritten(path.toStdString(), "nothing to save");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture))
        throw FileNotWritten(path.toStdString(), writer.errorString().toStdString());
    return bytes;
}

} // namespace

void savePictureAsBmp(const QImage &picture, const QString &path)
{
    writeWholeFile(path, encodePicture(picture, path, "BMP"));
}

namespace
{
// The bytes of the picture as its name says: PNG for .png (any case), else a 24-bit bitmap.
QByteArray encodedFor(const QImage &picture, const QString &path)
{
    if (!path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return encodePicture(picture, path, "BMP");
    if (picture.isNull())
        throw FileNotWritten(path.toStdString(), "nothing to save");
    const QByteArray png = encodePng(picture);
    if (png.isEmpty())
        throw FileNotWritten(path.toStdString(), "the PNG encoder failed");
    return png;
}
} // namespace

void savePicture(const QImage &picture, const QString &path)
{
    writeWholeFile(path, encodedFor(picture, path));
}

void savePicture(const QImage &picture, const QString &path, FileGroup &group)
{
    group.add(path, encodedFor(picture, path));
}
