#include "platform/row_scaler.h"

#include "platform/smooth_scaling.h"
#include "platform/surface.h"

extern "C" {
#include <libavutil/buffer.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace
{

// The area scaler reduces by averaging areas and enlarges bilinearly, as the program always
// did. Bit-exact mode makes its result independent of the processor and of how the output
// is sliced; full chroma keeps every pixel's own colour through its internal 4:4:4 stage.
constexpr int kScalerFlags =
    SWS_AREA | SWS_BITEXACT | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT | SWS_FULL_CHR_H_INP;

void keepBuffer(void *, uint8_t *) {}

// A frame over pixels owned elsewhere. `data` may lie before the buffer: the scaler writes
// a slice at data + linesize * its first row only.
AVFrame *frameOver(const uchar *buffer, size_t bytes, uintptr_t data, QSize size, int linesize)
{
    AVFrame *frame = av_frame_alloc();
    if (!frame)
        throw std::bad_alloc();
    frame->width = size.width();
    frame->height = size.height();
    frame->format = AV_PIX_FMT_RGB24;
    frame->data[0] = reinterpret_cast<uint8_t *>(data);
    frame->linesize[0] = linesize;
    // The frame only lends the pixels; the scaler reads the source's and never frees them.
    frame->buf[0] = av_buffer_create(const_cast<uchar *>(buffer), std::max<size_t>(bytes, 1),
                                     keepBuffer, nullptr, 0);
    if (!frame->buf[0]) {
        av_frame_free(&frame);
        throw std::bad_alloc();
    }
    return frame;
}

struct FrameDeleter {
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};

QImage as24Bit(QImage picture)
{
    if (picture.format() == QImage::Format_RGB888 || picture.isNull())
        return picture;
    if (picture.hasAlphaChannel())
        picture = asSurfaceImage(picture);
    // In place where Qt may share the conversion out among its helper threads.
    if (helperThreadsCanStart()) {
        picture.convertTo(QImage::Format_RGB888);
        return picture;
    }
    QImage converted = convertedSafely(picture, QImage::Format_RGB888);
    if (converted.isNull())
        throw std::bad_alloc();
    return converted;
}

} // namespace

RowScaler::RowScaler(QImage picture, QSize size)
    : picture_(as24Bit(std::move(picture))), size_(size)
{
    if (picture_.size() == size_ || picture_.isNull() || size_.isEmpty())
        return;
    scaler_ =
        sws_getContext(picture_.width(), picture_.height(), AV_PIX_FMT_RGB24, size_.width(),
                       size_.height(), AV_PIX_FMT_RGB24, kScalerFlags, nullptr, nullptr, nullptr);
    if (!scaler_)
        throw std::bad_alloc();
    const uchar *bits = picture_.constBits();
    source_ = frameOver(bits, size_t(picture_.sizeInBytes()), reinterpret_cast<uintptr_t>(bits),
                        picture_.size(), int(picture_.bytesPerLine()));
}

RowScaler::~RowScaler()
{
    av_frame_free(&source_);
    sws_freeContext(scaler_);
}

RowScaler::RowScaler(RowScaler &&other) noexcept
    : picture_(std::move(other.picture_)), size_(other.size_),
      scaler_(std::exchange(other.scaler_, nullptr)), source_(std::exchange(other.source_, nullptr))
{
}

RowScaler &RowScaler::operator=(RowScaler &&other) noexcept
{
    std::swap(picture_, other.picture_);
    std::swap(size_, other.size_);
    std::swap(scaler_, other.scaler_);
    std::swap(source_, other.source_);
    return *this;
}

void RowScaler::rows(int y, int count, uchar *out, qsizetype stride)
{
    if (count <= 0 || picture_.isNull())
        return;
    if (!scaler_) {
        for (int i = 0; i < count; ++i)
            std::memcpy(out + i * stride, picture_.constScanLine(y + i), size_t(size_.width()) * 3);
        return;
    }
    // The scaler writes the slice at the frame's data + linesize * y: the frame's data is
    // placed y rows before the band.
    const uintptr_t data = reinterpret_cast<uintptr_t>(out) - uintptr_t(y) * uintptr_t(stride);
    std::unique_ptr<AVFrame, FrameDeleter> target(
        frameOver(out, size_t(count) * size_t(stride), data, size_, int(stride)));
    const bool done = sws_frame_start(scaler_, target.get(), source_) >= 0 &&
                      sws_send_slice(scaler_, 0, unsigned(picture_.height())) >= 0 &&
                      sws_receive_slice(scaler_, unsigned(y), unsigned(count)) >= 0;
    sws_frame_end(scaler_);
    if (!done)
        throw std::bad_alloc();
}

QImage smoothlyStretched(const QImage &picture, QSize size)
{
    try {
        RowScaler scaler(picture, size);
        QImage rgb(size, QImage::Format_RGB888);
        if (rgb.isNull())
            return rgb;
        scaler.rows(0, size.height(), rgb.bits(), rgb.bytesPerLine());
        return convertedSafely(rgb, QImage::Format_RGB32);
    } catch (const std::bad_alloc &) {
        return QImage();
    }
}
