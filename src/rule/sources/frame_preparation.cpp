#include "sources/frame_preparation.h"

#include "frames/frames_rule.h"
#include "geometry/fitted_rect.h"
#include "platform/surface.h"

#include <algorithm>
#include <array>
#include <new>

namespace sources
{

QImage CoverFrame(const QImage &picture, QSize naturalSize, QSize canvasSize)
{
    const QSize natural = naturalSize.isValid() ? naturalSize : picture.size();
    Surface canvas(canvasSize.width(), canvasSize.height());
    if (natural.isEmpty() || picture.isNull())
        return canvas.image();
    // The part of the picture the canvas shows, in the decoded picture's pixels: the
    // canvas's proportions, as large as fits, centred.
    const double scale = std::max(double(canvasSize.width()) / natural.width(),
                                  double(canvasSize.height()) / natural.height());
    const double perNatural = double(picture.width()) / natural.width();
    const double w = std::max(1.0, canvasSize.width() / scale * perNatural);
    const double h = std::max(1.0, canvasSize.height() / scale * perNatural);
    const RectF shown{(picture.width() - w) / 2, (picture.height() - h) / 2, w, h};
    canvas.paintPicture(picture,
                        RectF{0, 0, double(canvasSize.width()), double(canvasSize.height())}, shown,
                        RasterOp::SrcCopy);
    return canvas.image();
}

int Luminance(QRgb pixel)
{
    return (299 * qRed(pixel) + 587 * qGreen(pixel) + 114 * qBlue(pixel) + 500) / 1000;
}

int OtsuThreshold(const QImage &picture)
{
    const QImage image = asSurfaceImage(picture);
    std::array<qint64, 256> histogram{};
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++histogram[size_t(Luminance(row[x]))];
    }
    const qint64 total = qint64(image.width()) * image.height();
    double sumAll = 0;
    for (int i = 0; i < 256; ++i)
        sumAll += double(i) * double(histogram[size_t(i)]);
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

QImage PrepareFrame(const QImage &picture, QSize naturalSize, QSize canvasSize,
                    const Preparation &preparation)
{
    QImage fitted = preparation.fit == Fit::Cover
                        ? CoverFrame(picture, naturalSize, canvasSize)
                        : frames::FitFrame(picture, naturalSize, canvasSize);
    if (fitted.isNull())
        throw std::bad_alloc();
    if (!preparation.silhouette)
        return fitted;
    return Silhouette(fitted, preparation.threshold, preparation.invert);
}

} // namespace sources
