#include "frames/frames_rule.h"

#include "geometry/fitted_rect.h"
#include "platform/surface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

namespace frames
{

namespace
{

constexpr uint32_t kWhitePixel = 0xFFFFFFFFu;
constexpr uint32_t kBlackPixel = 0xFF000000u;

int positiveMod(int a, int n)
{
    const int r = a % n;
    return r < 0 ? r + n : r;
}

void checkRule(int slit, int frameCount)
{
    if (slit < kMinSlit || slit > kMaxSlit)
        throw std::invalid_argument("slit width out of range");
    if (frameCount < kMinFrames || frameCount > kMaxFrames)
        throw std::invalid_argument("frame count out of range");
}

// Columns are counted from x = 0 with a non-negative offset, so floor division is plain
// division.
int groupOf(int x, int slit)
{
    return x / slit;
}

// out = in AND mask over one row. Written eight pixels at a time so that the compiler
// turns the body into vector operations even at -O2, whose cost model will not vectorise
// a loop of unknown length.
void maskRow(const uint32_t *__restrict in, const uint32_t *__restrict mask,
             uint32_t *__restrict out, int width)
{
    int x = 0;
    for (; x + 8 <= width; x += 8)
        for (int i = 0; i < 8; ++i)
            out[x + i] = in[x + i] & mask[x + i];
    for (; x < width; ++x)
        out[x] = in[x] & mask[x];
}

} // namespace

int FrameOfColumn(int x, int slit, int frameCount)
{
    return positiveMod(-groupOf(x, slit), frameCount);
}

bool IsSlitColumn(int x, int slit, int frameCount, int offset)
{
    return groupOf(x + offset, slit) % frameCount == 0;
}

QImage ComposeFrames(const std::vector<QImage> &canvases, int slit)
{
    const int count = int(canvases.size());
    checkRule(slit, count);
    const QSize size = canvases.front().size();
    std::vector<QImage> frames;
    frames.reserve(canvases.size());
    for (const QImage &canvas : canvases) {
        if (canvas.size() != size)
            throw std::invalid_argument("frames differ in size");
        frames.push_back(asSurfaceImage(canvas));
    }

    QImage composed(size, QImage::Format_RGB32);
    if (composed.isNull())
        throw std::bad_alloc();
    const int width = size.width();
    // The frame of every column, worked out once; each row then picks its pixels through
    // the table in one pass. This beats copying stripe runs, which at narrow slits spends
    // more on the runs than on the pixels.
    std::vector<uint8_t> frameOf(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        frameOf[size_t(x)] = uint8_t(FrameOfColumn(x, slit, count));
    const uint32_t *rows[kMaxFrames];
    for (int y = 0; y < size.height(); ++y) {
        for (int k = 0; k < count; ++k)
            rows[k] = reinterpret_cast<const uint32_t *>(frames[size_t(k)].constScanLine(y));
        auto *out = reinterpret_cast<uint32_t *>(composed.scanLine(y));
        for (int x = 0; x < width; ++x)
            out[x] = rows[frameOf[size_t(x)]][x];
    }
    return composed;
}

void ComposeFrameInto(QImage &composed, const QImage &canvas, int index, int frameCount, int slit)
{
    // Any slit from 1: a print sheet's slit is a whole number of printer dots.
    if (slit < kMinSlit)
        throw std::invalid_argument("slit width out of range");
    checkRule(kMinSlit, frameCount);
    if (index < 0 || index >= frameCount)
        throw std::invalid_argument("frame index out of range");
    if (composed.format() != QImage::Format_RGB32 || canvas.size() != composed.size())
        throw std::invalid_argument("frames differ in size");
    const QImage frame = asSurfaceImage(canvas);
    const int width = composed.width();
    const int period = frameCount * slit;
    // The first stripe group whose column comes from this frame; the next ones follow
    // one period apart.
    const int first = positiveMod(-index, frameCount) * slit;
    for (int y = 0; y < composed.height(); ++y) {
        const auto *in = reinterpret_cast<const uint32_t *>(frame.constScanLine(y));
        auto *out = reinterpret_cast<uint32_t *>(composed.scanLine(y));
        for (int x0 = first; x0 < width; x0 += period) {
            const int end = std::min(width, x0 + slit);
            for (int x = x0; x < end; ++x)
                out[x] = in[x];
        }
    }
}

QImage ComposeFittedFrames(int frameCount, int slit, const std::function<QImage(int)> &fittedFrame)
{
    // The first frame's canvas becomes the composed picture: its own columns are already in
    // place, and every other column is overwritten by the frame it belongs to.
    QImage composed;
    for (int i = 0; i < frameCount; ++i) {
        QImage fitted = fittedFrame(i);
        if (fitted.isNull())
            throw std::bad_alloc();
        if (i == 0)
            composed = std::move(fitted);
        else
            ComposeFrameInto(composed, fitted, i, frameCount, slit);
    }
    return composed;
}

QImage FramesLattice(QSize size, int slit, int frameCount)
{
    checkRule(slit, frameCount);
    QImage lattice(size, QImage::Format_RGB32);
    if (lattice.isNull())
        return lattice;
    auto *first = reinterpret_cast<uint32_t *>(lattice.scanLine(0));
    for (int x = 0; x < size.width(); ++x)
        first[x] = IsSlitColumn(x, slit, frameCount) ? kWhitePixel : kBlackPixel;
    const qsizetype rowBytes = qsizetype(size.width()) * 4;
    for (int y = 1; y < size.height(); ++y)
        std::memcpy(lattice.scanLine(y), first, rowBytes);
    return lattice;
}

RowSource LatticeRows(QSize size, int slit, int frameCount)
{
    if (slit < kMinSlit)
        throw std::invalid_argument("slit width out of range");
    checkRule(kMinSlit, frameCount);
    std::vector<uchar> row(size_t(std::max(size.width(), 0)) * 3);
    for (int x = 0; x < size.width(); ++x)
        std::memset(row.data() + size_t(x) * 3, IsSlitColumn(x, slit, frameCount) ? 0xFF : 0, 3);
    return [row = std::move(row)](int, int count, uchar *out, qsizetype stride) {
        for (int i = 0; i < count; ++i)
            std::memcpy(out + i * stride, row.data(), row.size());
    };
}

QSize LatticeSheetSize(QSize canvas, int slit, int frameCount)
{
    return QSize(canvas.width() + frameCount * slit, canvas.height());
}

int CycleLength(int slit, int frameCount)
{
    return slit * frameCount;
}

void PreviewFrameInto(const QImage &composed, int slit, int frameCount, int offset, QImage &out)
{
    checkRule(slit, frameCount);
    const QImage source = asSurfaceImage(composed);
    if (out.size() != source.size() || out.format() != QImage::Format_RGB32)
        out = QImage(source.size(), QImage::Format_RGB32);
    const int width = source.width();
    // One lattice row, slid: all ones over a slit, keeping the pixel; black elsewhere.
    std::vector<uint32_t> mask(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        mask[size_t(x)] = IsSlitColumn(x, slit, frameCount, offset) ? kWhitePixel : kBlackPixel;
    for (int y = 0; y < source.height(); ++y)
        maskRow(reinterpret_cast<const uint32_t *>(source.constScanLine(y)), mask.data(),
                reinterpret_cast<uint32_t *>(out.scanLine(y)), width);
}

QImage PreviewFrame(const QImage &composed, int slit, int frameCount, int offset)
{
    QImage out;
    PreviewFrameInto(composed, slit, frameCount, offset, out);
    return out;
}

QImage FitFrame(const QImage &picture, QSize naturalSize, QSize canvasSize)
{
    return FitOnWhiteCanvas(picture, naturalSize, canvasSize);
}

FittedRows FitFrameRows(QImage picture, QSize naturalSize, QSize canvasSize)
{
    return FitRowsOnWhiteCanvas(std::move(picture), naturalSize, canvasSize);
}

} // namespace frames
