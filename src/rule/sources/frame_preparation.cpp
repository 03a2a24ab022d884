#include "sources/frame_preparation.h"

#include "frames/frames_rule.h"
#include "geometry/fitted_rect.h"
#include "platform/surface.h"

#include <algorithm>
#include <array>
#include <new>
#include <utility>
#include <vector>

namespace sources
{

namespace
{

FittedRows coverRows(QImage picture, QSize naturalSize, QSize canvasSize)
{
    const QSize natural = naturalSize.isValid() ? naturalSize : picture.size();
    const RectF canvas{0, 0, double(canvasSize.width()), double(canvasSize.height())};
    if (natural.isEmpty() || picture.isNull())
        return FittedRows(QImage(), canvas, RectF{}, canvasSize);
    // The part of the picture the canvas shows, in the decoded picture's pixels: the
    // canvas's proportions, as large as fits, centred.
    const double scale = std::max(double(canvasSize.width()) / natural.width(),
                                  double(canvasSize.height()) / natural.height());
    const double perNatural = double(picture.width()) / natural.width();
    const double w = std::max(1.0, canvasSize.width() / scale * perNatural);
    const double h = std::max(1.0, canvasSize.height() / scale * perNatural);
    const RectF shown{(picture.width() - w) / 2, (picture.height() - h) / 2, w, h};
    return FittedRows(std::move(picture), canvas, shown, canvasSize);
}

int luminance(const uchar *rgb)
{
    return (299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2] + 500) / 1000;
}

using Histogram = std::array<qint64, 256>;

// The threshold T by Otsu's method over a luminance histogram.
int otsuOf(const Histogram &histogram)
{
    qint64 total = 0;
    double sumAll = 0;
    for (int i = 0; i < 256; ++i) {
        total += histogram[size_t(i)];
        sumAll += double(i) * double(histogram[size_t(i)]);
    }
    // Pixels below t against the rest; the first t of the largest between-class variance.
    double best = 0;
    int threshold = 128;
    qint64 below = 0;
    double sumBelow = 0;
    for (int t = 1; t < 256; ++t) {
        below += histogram[size_t(t - 1)];
        sumBelow += double(t - 1) * double(histogram[size_t(t - 1)]);
        const qint64 above = total - below;
        if (below == 0 || above == 0)
            continue;
        const double meanBelow = sumBelow / double(below);
        const double meanAbove = (sumAll - sumBelow) / double(above);
        const double between =
            double(below) * double(above) * (meanBelow - meanAbove) * (meanBelow - meanAbove);
        if (between > best) {
            best = between;
            threshold = t;
        }
    }
    return threshold;
}

constexpr int kBand = 64;

} // namespace

QImage CoverFrame(const QImage &picture, QSize naturalSize, QSize canvasSize)
{
    return coverRows(picture, naturalSize, canvasSize).whole();
}

int Luminance(QRgb pixel)
{
    return (299 * qRed(pixel) + 587 * qGreen(pixel) + 114 * qBlue(pixel) + 500) / 1000;
}

int OtsuThreshold(const QImage &picture)
{
    const QImage image = asSurfaceImage(picture);
    Histogram histogram{};
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++histogram[size_t(Luminance(row[x]))];
    }
    return otsuOf(histogram);
}

QImage Silhouette(const QImage &picture, std::optional<int> threshold, bool invert)
{
    QImage image = asSurfaceImage(picture);
    const int t = threshold.value_or(OtsuThreshold(image));
    const QRgb dark = invert ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    const QRgb light = invert ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (!row)
            throw std::bad_alloc();
        for (int x = 0; x < image.width(); ++x)
            row[x] = Luminance(row[x]) < t ? dark : light;
    }
    return image;
}

PreparedFrame::PreparedFrame(QImage picture, QSize naturalSize, QSize canvasSize,
                             const Preparation &preparation)
    : fitted_(preparation.fit == Fit::Cover
                  ? coverRows(std::move(picture), naturalSize, canvasSize)
                  : frames::FitFrameRows(std::move(picture), naturalSize, canvasSize)),
      preparation_(preparation)
{
    if (!preparation_.silhouette || preparation_.threshold)
        return;
    Histogram histogram{};
    const int width = canvasSize.width();
    std::vector<uchar> band(size_t(width) * 3 * kBand);
    for (int y = 0; y < canvasSize.height(); y += kBand) {
        const int count = std::min(kBand, canvasSize.height() - y);
        fitted_.rows(y, count, band.data(), qsizetype(width) * 3);
        const uchar *end = band.data() + size_t(count) * size_t(width) * 3;
        for (const uchar *p = band.data(); p < end; p += 3)
            ++histogram[size_t(luminance(p))];
    }
    preparation_.threshold = otsuOf(histogram);
}

void PreparedFrame::rows(int y, int count, uchar *out, qsizetype stride)
{
    fitted_.rows(y, count, out, stride);
    if (!preparation_.silhouette)
        return;
    const int t = *preparation_.threshold;
    const uchar dark = preparation_.invert ? 255 : 0;
    const uchar light = preparation_.invert ? 0 : 255;
    const int width = fitted_.size().width();
    for (int i = 0; i < count; ++i) {
        uchar *p = out + i * stride;
        for (int x = 0; x < width; ++x, p += 3)
            p[0] = p[1] = p[2] = luminance(p) < t ? dark : light;
    }
}

RowSource PreparedFrame::source()
{
    return [this](int y, int count, uchar *out, qsizetype stride) { rows(y, count, out, stride); };
}

QImage PrepareFrame(const QImage &picture, QSize naturalSize, QSize canvasSize,
                    const Preparation &preparation)
{
    PreparedFrame frame(picture, naturalSize, canvasSize, preparation);
    QImage prepared = imageFromRows(canvasSize, frame.source());
    if (prepared.isNull())
        throw std::bad_alloc();
    return prepared;
}

} // namespace sources
