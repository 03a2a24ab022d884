#include "platform/png_bands.h"

#include "platform/command_error.h"
#include "platform/picture_file.h"
#include "platform/smooth_scaling.h"

#include <QFile>

#include <cstdio>
#include <memory>
#include <vector>

#include <spng.h>

namespace
{

struct ContextFree {
    void operator()(spng_ctx *context) const { spng_ctx_free(context); }
};
struct FileClose {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

[[noreturn]] void refuse(int error, bool refuseDamaged)
{
    if (refuseDamaged)
        throw PictureDamaged(QString::fromLatin1(spng_strerror(error)));
    throw CommandError("cannot decode picture");
}

} // namespace

std::optional<QImage> decodePngReduced(const QString &path, QSize size, bool refuseDamaged)
{
    const std::unique_ptr<std::FILE, FileClose> file(
        std::fopen(QFile::encodeName(path).constData(), "rb"));
    const std::unique_ptr<spng_ctx, ContextFree> png(spng_ctx_new(0));
    if (!file || !png)
        throw CommandError("cannot open picture file");
    spng_set_png_file(png.get(), file.get());
    spng_ihdr header{};
    if (const int error = spng_get_ihdr(png.get(), &header))
        refuse(error, refuseDamaged);
    if (header.interlace_method != SPNG_INTERLACE_NONE)
        return std::nullopt;
    const QSize stored(int(header.width), int(header.height));
    if (const int error = spng_decode_image(png.get(), nullptr, 0, SPNG_FMT_RGBA8,
                                            SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE))
        refuse(error, refuseDamaged);
    AreaReducer reducer(stored, size);
    if (!reducer.ok())
        throw std::bad_alloc();
    std::vector<unsigned char> bytes(size_t(stored.width()) * 4);
    std::vector<QRgb> row(size_t(stored.width()));
    for (int y = 0; y < stored.height(); ++y) {
        const int status = spng_decode_row(png.get(), bytes.data(), bytes.size());
        if (status != 0 && !(status == SPNG_EOI && y == stored.height() - 1))
            refuse(status, refuseDamaged);
        for (size_t x = 0; x < row.size(); ++x) {
            const unsigned char *p = &bytes[x * 4];
            row[x] = qPremultiply(qRgba(p[0], p[1], p[2], p[3]));
        }
        reducer.addRow(row.data());
    }
    return reducer.onWhite();
}
