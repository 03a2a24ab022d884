#include "export/webp_encoding.h"

#include "platform/surface.h"

#include <QIODevice>

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>

namespace animation
{

namespace
{

constexpr int kWebPMaxSide = WEBP_MAX_DIMENSION;

struct Picture {
    WebPPicture picture;
    Picture() { WebPPictureInit(&picture); }
    ~Picture() { WebPPictureFree(&picture); }
    Picture(const Picture &) = delete;
    Picture &operator=(const Picture &) = delete;
};

struct Writer {
    WebPMemoryWriter writer;
    Writer() { WebPMemoryWriterInit(&writer); }
    ~Writer() { WebPMemoryWriterClear(&writer); }
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;
};

QByteArray encodedFrame(const QImage &frame, const QRect &rect, const WebPConfig &config)
{
    Picture picture;
    picture.picture.use_argb = 1;
    picture.picture.width = rect.width();
    picture.picture.height = rect.height();
    // A Format_RGB32 pixel is the same 32-bit 0xAARRGGBB value as WebP's ARGB, so the
    // frame is encoded where it lies. Exact lossless encoding only reads it, and freeing
    // the picture frees only what the encoder allocated.
    picture.picture.argb_stride = int(frame.bytesPerLine() / 4);
    picture.picture.argb = reinterpret_cast<uint32_t *>(const_cast<uchar *>(frame.constBits())) +
                           qsizetype(rect.y()) * picture.picture.argb_stride + rect.x();
    Writer writer;
    picture.picture.writer = WebPMemoryWrite;
    picture.picture.custom_ptr = &writer.writer;
    if (!WebPEncode(&config, &picture.picture))
        throw std::runtime_error(picture.picture.error_code == VP8_ENC_ERROR_OUT_OF_MEMORY
                                     ? "not enough memory"
                                     : "WebP encoding failed");
    return QByteArray(reinterpret_cast<const char *>(writer.writer.mem),
                      qsizetype(writer.writer.size));
}

struct Change {
    qint64 pixels = 0;
    QRect rect; // every changed pixel, from even coordinates as a frame's corner must be
};

Change changeFrom(const QImage &canvas, const QImage &frame)
{
    Change change;
    int left = frame.width(), right = -1, top = -1, bottom = -1;
    for (int y = 0; y < frame.height(); ++y) {
        const auto *was = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        const auto *now = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        int first = -1, last = -1;
        for (int x = 0; x < frame.width(); ++x)
            if (was[x] != now[x]) {
                if (first < 0)
                    first = x;
                last = x;
                ++change.pixels;
            }
        if (first < 0)
            continue;
        left = std::min(left, first);
        right = std::max(right, last);
        if (top < 0)
            top = y;
        bottom = y;
    }
    // Nothing changed: one pixel that stays, for a frame must hold one.
    change.rect =
        top < 0 ? QRect(0, 0, 1, 1) : QRect(QPoint(left & ~1, top & ~1), QPoint(right, bottom));
    return change;
}

// The pixels of `rect` that stay become transparent in `canvas`, the others those of
// `frame`: drawn blended over the canvas, this is the frame.
void keepOnlyChanges(QImage &canvas, const QImage &frame, const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto *was = reinterpret_cast<QRgb *>(canvas.scanLine(y));
        const auto *now = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x)
            was[x] = was[x] == now[x] ? 0 : now[x];
    }
}

void copyRows(QImage &canvas, const QImage &frame, const QRect &rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        std::memcpy(reinterpret_cast<QRgb *>(canvas.scanLine(y)) + rect.x(),
                    reinterpret_cast<const QRgb *>(frame.constScanLine(y)) + rect.x(),
                    size_t(rect.width()) * 4);
}

struct Mux {
    WebPMux *mux = WebPMuxNew();
    Mux()
    {
        if (!mux)
            throw std::bad_alloc();
    }
    ~Mux() { WebPMuxDelete(mux); }
    Mux(const Mux &) = delete;
    Mux &operator=(const Mux &) = delete;
};

void check(WebPMuxError error)
{
    if (error == WEBP_MUX_MEMORY_ERROR)
        throw std::runtime_error("not enough memory");
    if (error != WEBP_MUX_OK)
        throw std::runtime_error("WebP encoding failed");
}

} // namespace

void writeWebP(int count, const FrameSource &frameAt, int delayMs, QIODevice &out)
{
    WebPConfig config;
    if (!WebPConfigInit(&config))
        throw std::runtime_error("the WebP library does not match");
    // Lossless, and exact: the animation decodes back to the very pixels of every frame.
    // The least effort: it needs the least memory beside the frame (an 8-byte entry for
    // each pixel the encoder cannot copy from nearby, a copy of the frame and a hash chain)
    // and is the quickest; stripes compress well at any effort.
    config.lossless = 1;
    config.exact = 1;
    config.method = 2;
    config.quality = 50;
    if (!WebPValidateConfig(&config))
        throw std::runtime_error("invalid WebP settings");

    // libwebp's animation encoder keeps four canvases of its own and every frame until
    // the end; here each frame is encoded alone, where it lies, and the muxer keeps only
    // the encoded frames, which for stripes are a fraction of a canvas.
    Mux mux;
    QSize size;
    // The canvas as the last frame left it. A frame that changes at most half of it is
    // written as its changes alone, blended over it, which makes the file a fraction of
    // the size; one that changes more is written whole, with the canvas let go meanwhile,
    // so that no more memory is held than for the first frame.
    QImage canvas;
    for (int i = 0; i < count; ++i) {
        const QImage frame = asSurfaceImage(frameAt(i));
        if (i == 0) {
            size = frame.size();
            if (size.isEmpty() || size.width() > kWebPMaxSide || size.height() > kWebPMaxSide)
                throw std::runtime_error("the picture is too large for WebP");
        }
        if (frame.size() != size)
            throw std::runtime_error("the frames differ in size");
        QRect rect(QPoint(0, 0), size);
        bool blend = false;
        QByteArray image;
        if (!canvas.isNull()) {
            const Change change = changeFrom(canvas, frame);
            if (change.pixels * 2 <= qint64(size.width()) * size.height()) {
                rect = change.rect;
                keepOnlyChanges(canvas, frame, rect);
                image = encodedFrame(canvas, rect, config);
                copyRows(canvas, frame, rect);
                blend = true;
            } else {
                canvas = QImage();
            }
        }
        if (!blend)
            image = encodedFrame(frame, rect, config);
        if (canvas.isNull() && i + 1 < count) {
            canvas = frame.copy();
            if (canvas.isNull())
                throw std::bad_alloc();
        }
        WebPMuxFrameInfo info{};
        info.bitstream.bytes = reinterpret_cast<const uint8_t *>(image.constData());
        info.bitstream.size = size_t(image.size());
        info.x_offset = rect.x();
        info.y_offset = rect.y();
        info.duration = delayMs;
        info.id = WEBP_CHUNK_ANMF;
        // Left in place for the next frame; blended over the canvas, or drawn over it.
        info.dispose_method = WEBP_MUX_DISPOSE_NONE;
        info.blend_method = blend ? WEBP_MUX_BLEND : WEBP_MUX_NO_BLEND;
        check(WebPMuxPushFrame(mux.mux, &info, 1));
    }
    WebPMuxAnimParams params{};
    params.bgcolor = 0xFFFFFFFFu; // white behind the frames
    params.loop_count = 0;        // looping for ever
    check(WebPMuxSetAnimationParams(mux.mux, &params));
    WebPData assembled;
    WebPDataInit(&assembled);
    check(WebPMuxAssemble(mux.mux, &assembled));
    const qint64 written =
        out.write(reinterpret_cast<const char *>(assembled.bytes), qint64(assembled.size));
    const bool whole = written == qint64(assembled.size);
    WebPDataClear(&assembled);
    if (!whole)
        throw std::runtime_error(out.errorString().toStdString());
}

} // namespace animation
