#include "platform/smooth_scaling.h"

#include <algorithm>
#include <atomic>
#include <chrono>
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
std::vector<AreaReducer::Span> spansFor(int from, int to)
{
    std::vector<AreaReducer::Span> spans(size_t(std::max(to, 0)));
    const double step = double(from) / to;
    for (int d = 0; d < to; ++d) {
        const double start = d * step;
        const double end = std::min(double(from), (d + 1) * step);
        AreaReducer::Span &span = spans[size_t(d)];
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

int level(float value)
{
    return std::clamp(int(std::lround(value)), 0, 255);
}

} // namespace

// The question Qt's thread pool never asks. A thread that started within the last second
// answers it: the editor scales a picture at every zoom press, and starting a thread each
// time would cost a press a quarter of its time.
bool helperThreadsCanStart()
{
    using Clock = std::chrono::steady_clock;
    static std::atomic<Clock::rep> lastStarted{Clock::duration::min().count() / 2};
    const Clock::rep now = Clock::now().time_since_epoch().count();
    const auto oneSecond = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(1));
    if (now - lastStarted.load(std::memory_order_relaxed) < oneSecond.count())
        return true;
    pthread_t thread;
    if (pthread_create(&thread, nullptr, nothing, nullptr) != 0)
        return false;
    pthread_join(thread, nullptr);
    lastStarted.store(now, std::memory_order_relaxed);
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

AreaReducer::AreaReducer(QSize from, QSize to)
    : across_(spansFor(from.width(), to.width())), down_(spansFor(from.height(), to.height())),
      row_(size_t(std::max(to.width(), 0)) * 4), result_(to, QImage::Format_ARGB32_Premultiplied)
{
}

void AreaReducer::addRow(const QRgb *line)
{
    const int y = next_++;
    const int width = result_.width();
    for (int x = 0; x < width; ++x) {
        const Span &columns = across_[size_t(x)];
        float b = 0, g = 0, r = 0, a = 0;
        for (size_t j = 0; j < columns.weights.size(); ++j) {
            const QRgb p = line[columns.first + int(j)];
            const float w = columns.weights[j];
            b += w * float(qBlue(p));
            g += w * float(qGreen(p));
            r += w * float(qRed(p));
            a += w * float(qAlpha(p));
        }
        float *out = &row_[size_t(x) * 4];
        out[0] = b, out[1] = g, out[2] = r, out[3] = a;
    }
    // Every row of the result whose span holds this row takes its share of it.
    for (int d = firstOpen_; d < result_.height() && down_[size_t(d)].first <= y; ++d) {
        const Span &rows = down_[size_t(d)];
        const int i = y - rows.first;
        if (i >= int(rows.weights.size()))
            continue;
        std::vector<float> &sum = open_[d];
        sum.resize(row_.size());
        const float w = rows.weights[size_t(i)];
        for (size_t k = 0; k < row_.size(); ++k)
            sum[k] += w * row_[k];
        if (i + 1 < int(rows.weights.size()))
            continue;
        auto *out = reinterpret_cast<QRgb *>(result_.scanLine(d));
        for (int x = 0; x < width; ++x) {
            const float *p = &sum[size_t(x) * 4];
            out[x] = qRgba(level(p[2]), level(p[1]), level(p[0]), level(p[3]));
        }
        open_.erase(d);
        if (d == firstOpen_)
            ++firstOpen_;
    }
}

QImage AreaReducer::onWhite() const
{
    QImage flat(result_.size(), QImage::Format_RGB32);
    if (flat.isNull())
        return flat;
    for (int y = 0; y < result_.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(result_.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(flat.scanLine(y));
        for (int x = 0; x < result_.width(); ++x) {
            const int white = 255 - qAlpha(in[x]);
            out[x] = qRgb(qRed(in[x]) + white, qGreen(in[x]) + white, qBlue(in[x]) + white);
        }
    }
    return flat;
}

QImage areaAveraged(const QImage &source, QSize size)
{
    if (source.isNull() || size.isEmpty())
        return QImage();
    AreaReducer reducer(source.size(), size);
    if (!reducer.ok())
        return QImage();
    const bool premultiplied = source.format() == QImage::Format_ARGB32_Premultiplied ||
                               source.format() == QImage::Format_RGB32;
    for (int y = 0; y < source.height(); ++y) {
        // A row at a time: a row is too small to be shared out among threads.
        const QImage row = premultiplied
                               ? QImage()
                               : source.copy(0, y, source.width(), 1)
                                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (!premultiplied && row.isNull())
            return QImage();
        reducer.addRow(reinterpret_cast<const QRgb *>(premultiplied ? source.constScanLine(y)
                                                                    : row.constScanLine(0)));
    }
    return convertedSafely(reducer.result(), source.hasAlphaChannel()
                                                 ? QImage::Format_ARGB32_Premultiplied
                                                 : QImage::Format_RGB32);
}

QImage smoothScaled(const QImage &source, QSize size)
{
    if (qint64(source.width()) * source.height() >= kSharedFromPixels && !helperThreadsCanStart())
        return areaAveraged(source, size);
    return source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
