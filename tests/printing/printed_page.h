#pragma once

#include <QImage>
#include <QRect>

#include <optional>
#include <vector>

// Measuring a rendered page: where a colour lies, and the dark runs along a row.
namespace printed_page {

// The smallest rectangle holding every pixel of the colour (exact match).
inline std::optional<QRect> boundsOf(const QImage &page, QRgb colour)
{
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != (colour & 0xFFFFFF))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return std::nullopt;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

struct Run {
    int start;
    int length;
};

// Runs of dark pixels along row y (or column x when `vertical`).
inline std::vector<Run> darkRuns(const QImage &page, int at, bool vertical = false)
{
    std::vector<Run> runs;
    const int n = vertical ? page.height() : page.width();
    int start = -1;
    for (int i = 0; i <= n; ++i) {
        const bool dark = i < n && qGray(vertical ? page.pixel(at, i) : page.pixel(i, at)) < 128;
        if (dark && start < 0)
            start = i;
        if (!dark && start >= 0) {
            runs.push_back({start, i - start});
            start = -1;
        }
    }
    return runs;
}

// Mean distance between the starts of successive runs.
inline double pitch(const std::vector<Run> &runs)
{
    if (runs.size() < 2)
        return 0;
    return double(runs.back().start - runs.front().start) / double(runs.size() - 1);
}

} // namespace printed_page
