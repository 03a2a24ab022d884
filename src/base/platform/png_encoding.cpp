#include "platform/png_encoding.h"

#include "platform/smooth_scaling.h"

#include <spng.h>
#include <zlib.h>

#include <memory>
#include <vector>

namespace
{

struct ContextDeleter {
    void operator()(spng_ctx *ctx) const { spng_ctx_free(ctx); }
};

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

QByteArray encodePng(const QImage &source)
{
    if (source.isNull())
        return QByteArray();
    const QImage picture = source.format() == QImage::Format_RGB32 ||
                                   source.format() == QImage::Format_ARGB32
                               ? source
                               : convertedSafely(source, QImage::Format_RGB32);
    std::unique_ptr<spng_ctx, ContextDeleter> ctx(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!ctx)
        return QByteArray();
    spng_ihdr header{};
    header.width = uint32_t(picture.width());
    header.height = uint32_t(picture.height());
    header.bit_depth = 8;
    header.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
    spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1);
    spng_set_option(ctx.get(), SPNG_FILTER_CHOICE, SPNG_FILTER_CHOICE_UP);
    spng_set_option(ctx.get(), SPNG_IMG_COMPRESSION_LEVEL, 1);
    spng_set_option(ctx.get(), SPNG_IMG_COMPRESSION_STRATEGY, Z_RLE);
    if (spng_set_ihdr(ctx.get(), &header) ||
        spng_encode_image(ctx.get(), nullptr, 0, SPNG_FMT_PNG,
                          SPNG_ENCODE_PROGRESSIVE | SPNG_ENCODE_FINALIZE))
        return QByteArray();

    std::vector<unsigned char> row(size_t(picture.width()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        toRgb(picture, y, row.data());
        const int status = spng_encode_row(ctx.get(), row.data(), row.size());
        // The last row finishes the image and says so.
        if (status != 0 && !(status == SPNG_EOI && y == picture.height() - 1))
            return QByteArray();
    }
    size_t length = 0;
    int error = 0;
    void *png = spng_get_png_buffer(ctx.get(), &length, &error);
    if (!png || error)
        return QByteArray();
    QByteArray bytes(static_cast<const char *>(png), qsizetype(length));
    free(png);
    return bytes;
}
