#include "export/webp_encoding.h"

#include "platform/surface.h"

#include <QIODevice>

#include <webp/encode.h>
#include <webp/mux.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace animation
{

namespace
{

constexpr int kWebPMaxSide = WEBP_MAX_DIMENSION;

struct EncoderDeleter {
    void operator()(WebPAnimEncoder *p) const { WebPAnimEncoderDelete(p); }
};

struct Picture {
    WebPPicture picture;
    Picture() { WebPPictureInit(&picture); }
    ~Picture() { WebPPictureFree(&picture); }
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;
};

struct Data {
    WebPData data;
    Data() { WebPDataInit(&data); }
    ~Data() { WebPDataClear(&data); }
    Data(const Data &) = delete;
    Data &operator=(const Data &) = delete;
};

std::string encoderError(WebPAnimEncoder *encoder)
{
    const char *text = WebPAnimEncoderGetError(encoder);
    return text && *text ? text : "WebP encoding failed";
}

} // namespace

void writeWebP(int count, const FrameSource &frameAt, int delayMs, QIODevice &out)
{
    QSize size;
    WebPConfig config;
    if (!WebPConfigInit(&config))
        throw std::runtime_error("the WebP library does not match");
    // Lossless, and exact: the animation decodes back to the very pixels of every frame.
    // A middle effort keeps large frames quick; the stripes compress well at any effort.
    config.lossless = 1;
    config.exact = 1;
    config.method = 2;
    config.quality = 50;
    if (!WebPValidateConfig(&config))
        throw std::runtime_error("invalid WebP settings");

    std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder;
    for (int i = 0; i < count; ++i) {
        const QImage frame = asSurfaceImage(frameAt(i));
        if (i == 0) {
            size = frame.size();
            if (size.isEmpty() || size.width() > kWebPMaxSide || size.height() > kWebPMaxSide)
                throw std::runtime_error("the picture is too large for WebP");
            WebPAnimEncoderOptions options;
            if (!WebPAnimEncoderOptionsInit(&options))
                throw std::runtime_error("the WebP library does not match");
            options.anim_params.loop_count = 0; // for ever
            options.anim_params.bgcolor = 0xFFFFFFFFu;
            options.allow_mixed = 0;
            encoder.reset(WebPAnimEncoderNew(size.width(), size.height(), &options));
            if (!encoder)
                throw std::runtime_error("not enough memory");
        }
        if (frame.size() != size)
            throw std::runtime_error("the frames differ in size");
        Picture picture;
        picture.picture.use_argb = 1;
        picture.picture.width = size.width();
        picture.picture.height = size.height();
        // A Format_RGB32 pixel is the same 32-bit 0xAARRGGBB value as WebP's ARGB.
        if (!WebPPictureAlloc(&picture.picture))
            throw std::runtime_error("not enough memory");
        for (int y = 0; y < size.height(); ++y)
            std::memcpy(picture.picture.argb + size_t(y) * size_t(picture.picture.argb_stride),
                        frame.constScanLine(y), size_t(size.width()) * 4);
        if (!WebPAnimEncoderAdd(encoder.get(), &picture.picture, i * delayMs, &config))
            throw std::runtime_error(encoderError(encoder.get()));
    }
    // The last frame lasts until the end time given with no frame.
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, count * delayMs, nullptr))
        throw std::runtime_error(WebPAnimEncoderGetError(encoder.get()));
    Data data;
    if (!WebPAnimEncoderAssemble(encoder.get(), &data.data))
        throw std::runtime_error(WebPAnimEncoderGetError(encoder.get()));
    if (out.write(reinterpret_cast<const char *>(data.data.bytes), qint64(data.data.size)) !=
        qint64(data.data.size))
        throw std::runtime_error(out.errorString().toStdString());
}

} // namespace animation
