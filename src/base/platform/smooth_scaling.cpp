#include "platform/smooth_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include <pthread.h>

namespace
{

// Qt shares out a scaling from this many source pixels on.
constexpr qint64 kSharedFromPixels = 2 * 65536;

void *nothing(void *)
{
    return nullptr;
}

// How much of each source pixel along one side falls into each destination pixel.
struct Span {
    int first = 0;
    std::vector<float> weights; // of source pixels first, first + 1, ...
};

std::vector<Span> spansFor(int from, int to)
{
    std::vector<Span> spans(size_t(std::max(to, 0)));
    const double step = double(from) / to;
    for (int d = 0; d < to; ++d) {
        const double start = d * step;
        const double end = std::min(double(from), (d + 1) * step);
        Span &span = spans[size_t(d)];
        span.first = std::min(from - 1, int(std::floor(start)));
        for (int s = span.first; s < from && s < end; ++s) {
            const double covered = std::min(end, s + 1.0) - std::max(start, double(s));
            span.weights.push_back(float(covered / (end - start)));
        }
        if (span.weights.empty())
            span.weights.push_back(1.0f);
    }
    return spans;
}

} // namespace

// The question Qt's thread pool never asks.
bool helperThreadsCanStart()
{
    pthread_t thread;
    if (pthread_create(&thread, nullptr, nothing, nullptr) != 0)
        return false;
    pthread_join(thread, nullptr);
    return true;
}

QImage convertedSafely(const QImage &source, QImage::Format format)
{
    if (source.format() == format || qint64(source.width()) * source.height() < kSharedFromPixels ||
        helperThreadsCanStart())
        return source.convertToFormat(format);
    QImage converted(source.size(), format);
    if (converted.isNull())
        return converted;
    // A row is too small to be shared out.
    for (int y = 0; y < source.height(); ++y) {
        const QImage row = source.copy(0, y, source.width(), 1).convertToFormat(format);
        if (row.isNull())
            return QImage();
        std::memcpy(converted.scanLine(y), row.constScanLine(0),
                    size_t(std::min(row.bytesPerLine(), converted.bytesPerLine())));
    }
    converted.setDotsPerMeterX(source.dotsPerMeterX());
    converted.setDotsPerMeterY(source.dotsPerMeterY());
    return converted;
}

QImage areaAveraged(const QImage &source, QSize size)
{
    if (source.isNull() || size.isEmpty())
        return QImage();
    const QImage from = convertedSafely(source, QImage::Format_ARGB32_Premultiplied);
    QImage to(size, QImage::Format_ARGB32_Premultiplied);
    if (from.isNull() || to.isNull())
        return QImage();
    const std::vector<Span> across = spansFor(from.width(), size.width());
    const std::vector<Span> down = spansFor(from.height(), size.height());
    const size_t values = size_t(size.width()) * 4;
    std::vector<float> row(values), sum(values);
    for (int y = 0; y < size.height(); ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const Span &rows = down[size_t(y)];
        for (size_t i = 0; i < rows.weights.size(); ++i) {
            const auto *line =
                reinterpret_cast<const QRgb *>(from.constScanLine(rows.first + int(i)));
            for (int x = 0; x < size.width(); ++x) {
                const Span &columns = across[size_t(x)];
                float b = 0, g = 0, r = 0, a = 0;
                for (size_t j = 0; j < columns.weights.size(); ++j) {
                    const QRgb p = line[columns.first + int(j)];
                    const float w = columns.weights[j];
                    b += w * float(qBlue(p));
                    g += w * float(qGreen(p));
                    r += w * float(qRed(p));
                    a += w * float(qAlpha(p));
                }
                float *out = &row[size_t(x) * 4];
                out[0] = b, out[1] = g, out[2] = r, out[3] = a;
            }
            const float w = rows.weights[i];
            for (size_t k = 0; k < values; ++k)
                sum[k] += w * row[k];
        }
        auto *line = reinterpret_cast<QRgb *>(to.scanLine(y));
        const auto level = [](float v) { return std::clamp(int(std::lround(v)), 0, 255); };
        for (int x = 0; x < size.width(); ++x) {
            const float *p = &sum[size_t(x) * 4];
            line[x] = qRgba(level(p[2]), level(p[1]), level(p[0]), level(p[3]));
        }
    }
    return convertedSafely(to, source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                        : QImage::Format_RGB32);
}

QImage smoothScaled(const QImage &source, QSize size)
{
    if (qint64(source.width()) * source.height() >= kSharedFromPixels && !helperThreadsCanStart())
        return areaAveraged(source, size);
    return source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
