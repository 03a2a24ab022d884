#include "platform/png_encoding.h"

#include "platform/smooth_scaling.h"

#include <QBuffer>
#include <QtEndian>

#include <spng.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

struct PngRowWriter::Context {
    spng_ctx *ctx = nullptr;
    ~Context() { spng_ctx_free(ctx); }
};

namespace
{

int writeToDevice(spng_ctx *, void *user, void *data, size_t length)
{
    auto *device = static_cast<QIODevice *>(user);
    return device->write(static_cast<const char *>(data), qint64(length)) == qint64(length)
               ? 0
               : SPNG_IO_ERROR;
}

// One row of the picture as the PNG's red, green, blue bytes.
void toRgb(const QImage &picture, int y, unsigned char *out)
{
    const auto *in = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
    for (int x = 0, n = picture.width(); x < n; ++x) {
        const QRgb pixel = in[x];
        out[0] = uchar(qRed(pixel));
        out[1] = uchar(qGreen(pixel));
        out[2] = uchar(qBlue(pixel));
        out += 3;
    }
}

} // namespace

PngRowWriter::PngRowWriter(QIODevice &device, QSize size)
    : context_(std::make_unique<Context>()), device_(device),
      rowBytes_(size_t(std::max(size.width(), 0)) * 3), height_(size.height())
{
    spng_ctx *ctx = context_->ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_ihdr header{};
    header.width = uint32_t(size.width());
    header.height = uint32_t(size.height());
    header.bit_depth = 8;
    header.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
    failed_ = !ctx || size.isEmpty() || spng_set_png_stream(ctx, writeToDevice, &device_) ||
              spng_set_option(ctx, SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_UP) ||
              spng_set_option(ctx, SPNG_IMG_COMPRESSION_LEVEL, 1) ||
              spng_set_option(ctx, SPNG_IMG_COMPRESSION_STRATEGY, Z_RLE) ||
              spng_set_ihdr(ctx, &header) ||
              spng_encode_image(ctx, nullptr, 0, SPNG_FMT_PNG,
                                SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE);
}

PngRowWriter::~PngRowWriter() = default;

bool PngRowWriter::write(const uchar *rgb, int count, qsizetype stride)
{
    if (failed_ || next_ + count > height_)
        return failed_ = true, false;
    for (int i = 0; i < count; ++i, ++next_) {
        const int status = spng_encode_row(context_->ctx, rgb + i * stride, rowBytes_);
        // The last row finishes the image and says so.
        if (status == SPNG_EOI && next_ == height_ - 1)
            finished_ = true;
        else if (status != 0)
            return failed_ = true, false;
    }
    return true;
}

QByteArray encodePng(const QImage &source)
{
    if (source.isNull())
        return QByteArray();
    const QImage picture =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : convertedSafely(source, QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    PngRowWriter writer(buffer, picture.size());
    std::vector<unsigned char> row(size_t(picture.width()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        toRgb(picture, y, row.data());
        if (!writer.write(row.data(), 1, qsizetype(row.size())))
            return QByteArray();
    }
    return writer.finished() ? bytes : QByteArray();
}

BmpRowWriter::BmpRowWriter(QIODevice &device, QSize size, int dotsPerMeterX, int dotsPerMeterY)
    : device_(device), width_(size.width()), left_(size.height())
{
    const int rowBytes = (width_ * 24 + 31) / 32 * 4;
    row_ = QByteArray(rowBytes, '\0');
    const quint32 pixels = quint32(rowBytes) * quint32(size.height());
    uchar header[54] = {'B', 'M'};
    const auto put32 = [&header](int at, quint32 v) { qToLittleEndian(v, header + at); };
    const auto put16 = [&header](int at, quint16 v) { qToLittleEndian(v, header + at); };
    put32(2, 54 + pixels);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width_));
    put32(22, quint32(size.height()));
    put16(26, 1);
    put16(28, 24);
    put32(34, pixels);
    put32(38, quint32(dotsPerMeterX));
    put32(42, quint32(dotsPerMeterY));
    failed_ = size.isEmpty() ||
              device_.write(reinterpret_cast<const char *>(header), sizeof header) != 54;
}

bool BmpRowWriter::write(const uchar *rgb, int count, qsizetype stride)
{
    if (failed_ || count > left_)
        return failed_ = true, false;
    for (int i = count - 1; i >= 0; --i) {
        const uchar *in = rgb + i * stride;
        auto *out = reinterpret_cast<uchar *>(row_.data());
        for (int x = 0; x < width_; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        if (device_.write(row_) != row_.size())
            return failed_ = true, false;
    }
    left_ -= count;
    return true;
}
