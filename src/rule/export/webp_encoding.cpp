#include "export/webp_encoding.h"

#include "platform/surface.h"

#include <QIODevice>

#include <webp/encode.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

namespace animation
{

namespace
{

constexpr int kWebPMaxSide = WEBP_MAX_DIMENSION;
constexpr qint64 kMostRiffSize = 0xFFFFFFFFll - 1;

// The container is written here rather than by libwebp's animation encoder: that one keeps
// four canvases of its own and every encoded frame until the end, where each frame here is
// encoded alone and written out at once.
void putLittle(QByteArray &bytes, quint64 value, int length)
{
    for (int i = 0; i < length; ++i)
        bytes += char((value >> (8 * i)) & 0xFF);
}

QByteArray chunkHeader(const char fourcc[4], quint32 size)
{
    QByteArray header(fourcc, 4);
    putLittle(header, size, 4);
    return header;
}

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

// The image chunks of an encoded still WebP: everything after its RIFF header but a VP8X
// chunk, which an animation's frame does not carry.
QByteArray imageChunks(const uint8_t *data, size_t size)
{
    QByteArray chunks;
    size_t at = 12;
    if (size < at || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WEBP", 4) != 0)
        throw std::runtime_error("WebP encoding failed");
    while (at + 8 <= size) {
        const quint32 length = quint32(data[at + 4]) | quint32(data[at + 5]) << 8 |
                               quint32(data[at + 6]) << 16 | quint32(data[at + 7]) << 24;
        const size_t whole = 8 + size_t(length) + (length & 1);
        if (whole > size - at)
            throw std::runtime_error("WebP encoding failed");
        if (std::memcmp(data + at, "VP8X", 4) != 0)
            chunks.append(reinterpret_cast<const char *>(data + at), qsizetype(whole));
        at += whole;
    }
    return chunks;
}

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
    return imageChunks(writer.writer.mem, writer.writer.size);
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

void put(QIODevice &out, const QByteArray &bytes)
{
    if (out.write(bytes) != bytes.size())
        throw std::runtime_error(out.errorString().toStdString());
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

    const qint64 start = out.pos();
    QSize size;
    qint64 riffSize = 4; // "WEBP"
    bool blended = false;
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
            // The RIFF size and the flags are put in once every frame is written.
            QByteArray head = chunkHeader("RIFF", 0) + "WEBP";
            head += chunkHeader("VP8X", 10);
            putLittle(head, 0, 4);
            putLittle(head, quint64(size.width() - 1), 3);
            putLittle(head, quint64(size.height() - 1), 3);
            head += chunkHeader("ANIM", 6);
            putLittle(head, 0xFFFFFFFFu, 4); // white behind the frames
            putLittle(head, 0, 2);           // looping for ever
            put(out, head);
            riffSize += head.size() - 12;
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
                blend = blended = true;
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
        QByteArray header = chunkHeader("ANMF", quint32(16 + image.size()));
        putLittle(header, quint64(rect.x() / 2), 3);
        putLittle(header, quint64(rect.y() / 2), 3);
        putLittle(header, quint64(rect.width() - 1), 3);
        putLittle(header, quint64(rect.height() - 1), 3);
        putLittle(header, quint64(delayMs), 3);
        // Left in place for the next frame; blended over the canvas, or drawn over it.
        putLittle(header, blend ? 0x00 : 0x02, 1);
        riffSize += header.size() + image.size();
        if (riffSize > kMostRiffSize)
            throw std::runtime_error("the animation is too large for WebP");
        put(out, header);
        put(out, image);
    }
    QByteArray riff;
    putLittle(riff, quint64(riffSize), 4);
    if (!out.seek(start + 4))
        throw std::runtime_error(out.errorString().toStdString());
    put(out, riff);
    // An animation; with alpha where frames were blended.
    QByteArray flags;
    putLittle(flags, blended ? 0x12 : 0x02, 1);
    if (!out.seek(start + 20))
        throw std::runtime_error(out.errorString().toStdString());
    put(out, flags);
}

} // namespace animation
