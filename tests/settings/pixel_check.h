#pragma once

#include <QColor>
#include <QImage>

#include <functional>
#include <optional>
#include <string>

// The first pixel (row by row) whose colour differs from the expected one, as
// "(x, y): got #rrggbb, want #rrggbb"; nothing when every pixel matches.
inline std::optional<std::string> firstWrongPixel(const QImage &image,
                                                  const std::function<QRgb(int, int)> &expected)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb got = image.pixel(x, y) & 0xFFFFFF;
            const QRgb want = expected(x, y) & 0xFFFFFF;
            if (got != want) {
                return QStringLiteral("(%1, %2): got %3, want %4")
                    .arg(x)
                    .arg(y)
                    .arg(QColor(got).name(), QColor(want).name())
                    .toStdString();
            }
        }
    }
    return std::nullopt;
}

// The lattice rule: white with black bars `bar` wide, the first at x = gap, one every
// bar + gap columns.
inline QRgb latticePixel(int x, int gap, int bar)
{
    const bool black = x >= gap && (x - gap) % (bar + gap) < bar;
    return black ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}

inline QRgb whitePixel(int, int)
{
    return qRgb(255, 255, 255);
}
