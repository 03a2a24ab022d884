#include "platform/nearest_rows.h"

#include "platform/surface.h"

#include <cmath>
#include <numeric>

std::vector<int> nearestSamples(int source, int drawn)
{
    std::vector<int> samples(std::size_t(std::max(drawn, 0)));
    if (drawn <= 0 || source <= 0)
        return samples;
    // The first sample is taken at the centre of the first drawn pixel; the step is truncated
    // to 16.16, so long runs drift as they do in Qt's own scaling.
    const double scale = double(source) / drawn;
    const auto step = std::int64_t(65536 * scale);
    std::int64_t position = std::int64_t(std::ceil(0.5 * scale * 65536)) - 1;
    for (int &sample : samples) {
        sample = std::min(int(position >> 16), source - 1);
        position += step;
    }
    return samples;
}

NearestRows::NearestRows(const QImage &picture, int width, int height)
{
    if (picture.isNull() || width <= 0 || height <= 0)
        return;
    picture_ = asSurfaceImage(picture);
    if (picture_.width() == width && picture_.height() * 256 >= height) {
        rows_ = nearestSamples(picture_.height(), height);
        return;
    }
    picture_ = asSurfaceImage(
        picture_.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    rows_.resize(std::size_t(height));
    std::iota(rows_.begin(), rows_.end(), 0);
}
