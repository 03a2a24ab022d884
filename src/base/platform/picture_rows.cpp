#include "platform/picture_rows.h"

#include "platform/atomic_file.h"
#include "platform/command_error.h"
#include "platform/file_group.h"
#include "platform/png_encoding.h"
#include "platform/smooth_scaling.h"
#include "platform/surface.h"

#include <QBuffer>

#include <algorithm>
#include <cstring>
#include <future>
#include <new>
#include <system_error>
#include <vector>

QImage imageFromRows(QSize size, const RowSource &rows)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int width = size.width();
    std::vector<uchar> band(size_t(width) * 3 * kBandRows);
    for (int y = 0; y < size.height(); y += kBandRows) {
        const int count = std::min(kBandRows, size.height() - y);
        rows(y, count, band.data(), qsizetype(width) * 3);
        for (int i = 0; i < count; ++i) {
            const uchar *in = band.data() + size_t(i) * size_t(width) * 3;
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(y + i));
            for (int x = 0; x < width; ++x, in += 3)
                out[x] = qRgb(in[0], in[1], in[2]);
        }
    }
    return image;
}

RowSource rowsOf(const QImage &picture)
{
    QImage rgb = picture.format() == QImage::Format_RGB888 || picture.isNull()
                     ? picture
                     : convertedSafely(asSurfaceImage(picture), QImage::Format_RGB888);
    if (rgb.isNull() && !picture.isNull())
        throw std::bad_alloc();
    return [rgb](int y, int count, uchar *out, qsizetype stride) {
        for (int i = 0; i < count; ++i)
            std::memcpy(out + i * stride, rgb.constScanLine(y + i), size_t(rgb.width()) * 3);
    };
}

namespace
{

// Makes band `index` of `count`, from the top or, for a bitmap, from the bottom.
struct Bands {
    QSize size;
    const RowSource &rows;
    bool bottomUp;
    qsizetype stride() const { return qsizetype(size.width()) * 3; }
    int count() const { return (size.height() + kBandRows - 1) / kBandRows; }
    int first(int index) const
    {
        const int top = index * kBandRows;
        return bottomUp ? std::max(0, size.height() - top - kBandRows) : top;
    }
    int height(int index) const { return std::min(kBandRows, size.height() - index * kBandRows); }
    void make(int index, std::vector<uchar> &band) const
    {
        band.resize(size_t(stride()) * kBandRows);
        rows(first(index), height(index), band.data(), stride());
    }
};

// The band made on another thread where one can start, else when asked for.
std::future<void> startBand(const Bands &bands, int index, std::vector<uchar> &band)
{
    const auto make = [&bands, index, &band] { bands.make(index, band); };
    try {
        return std::async(std::launch::async, make);
    } catch (const std::system_error &) {
        return std::async(std::launch::deferred, make);
    }
}

} // namespace

bool streamBands(QSize size, const RowSource &rows, bool bottomUp, const BandSink &sink)
{
    const Bands bands{size, rows, bottomUp};
    std::vector<uchar> buffers[2];
    std::future<void> next = startBand(bands, 0, buffers[0]);
    for (int i = 0; i < bands.count(); ++i) {
        next.get();
        if (i + 1 < bands.count())
            next = startBand(bands, i + 1, buffers[(i + 1) % 2]);
        if (!sink(buffers[i % 2].data(), bands.height(i), bands.stride())) {
            // The band being made finishes before its buffer goes.
            if (next.valid())
                next.wait();
            return false;
        }
    }
    return true;
}

namespace
{

template <typename Writer>
void writeBands(QSize size, const RowSource &rows, bool bottomUp, Writer &writer,
                const AtomicFile &file)
{
    if (streamBands(size, rows, bottomUp, [&writer](const uchar *rgb, int count, qsizetype stride) {
            return writer.write(rgb, count, stride);
        }))
        return;
    if (file.failed())
        throwNotWritten(file);
    throw FileNotWritten(file.path().toStdString(), "the encoder failed");
}

} // namespace

void savePictureRows(QSize size, const RowSource &rows, const QString &path, FileGroup &group)
{
    if (size.isEmpty())
        throw FileNotWritten(path.toStdString(), "nothing to save");
    AtomicFile &file = group.open(path);
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        PngRowWriter writer(file, size);
        writeBands(size, rows, false, writer, file);
        if (!writer.finished())
            throw FileNotWritten(path.toStdString(), "the encoder failed");
    } else {
        // The resolution Qt's writer gives a picture made without one.
        const QImage plain(1, 1, QImage::Format_RGB32);
        BmpRowWriter writer(file, size, plain.dotsPerMeterX(), plain.dotsPerMeterY());
        writeBands(size, rows, true, writer, file);
    }
}

QByteArray encodePngRows(QSize size, const RowSource &rows)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PngRowWriter writer(buffer, size);
    const qsizetype stride = qsizetype(size.width()) * 3;
    std::vector<uchar> band(size_t(stride) * kBandRows);
    for (int y = 0; y < size.height(); y += kBandRows) {
        const int count = std::min(kBandRows, size.height() - y);
        rows(y, count, band.data(), stride);
        if (!writer.write(band.data(), count, stride))
            return QByteArray();
    }
    return writer.finished() ? bytes : QByteArray();
}
