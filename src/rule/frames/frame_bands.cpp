#include "frames/frame_bands.h"

#include "frames/frames_rule.h"

#include <stdexcept>

namespace frames
{

BandComposer::BandComposer(std::vector<RowSource> frames, QSize canvas, int slit)
    : frames_(std::move(frames)), canvas_(canvas)
{
    const int count = int(frames_.size());
    if (slit < kMinSlit)
        throw std::invalid_argument("slit width out of range");
    if (count < kMinFrames || count > kMaxFrames)
        throw std::invalid_argument("frame count out of range");
    frameOf_.resize(size_t(std::max(canvas.width(), 0)));
    for (int x = 0; x < canvas.width(); ++x)
        frameOf_[size_t(x)] = uint8_t(FrameOfColumn(x, slit, count));
}

void BandComposer::rows(int y, int count, uchar *out, qsizetype stride)
{
    const int width = canvas_.width();
    const size_t band = size_t(width) * 3 * size_t(count);
    scratch_.resize(band * frames_.size());
    for (size_t k = 0; k < frames_.size(); ++k)
        frames_[k](y, count, scratch_.data() + k * band, qsizetype(width) * 3);
    // The frame of every column from a table: at narrow slits this beats copying stripe runs.
    const uint8_t *frameOf = frameOf_.data();
    for (int i = 0; i < count; ++i) {
        const uchar *from = scratch_.data() + size_t(i) * size_t(width) * 3;
        uchar *to = out + i * stride;
        for (int x = 0; x < width; ++x) {
            const uchar *p = from + frameOf[x] * band + size_t(x) * 3;
            to[0] = p[0];
            to[1] = p[1];
            to[2] = p[2];
            to += 3;
        }
    }
}

RowSource BandComposer::source()
{
    return [this](int y, int count, uchar *out, qsizetype stride) { rows(y, count, out, stride); };
}

} // namespace frames
