#pragma once

#include "platform/colour.h"

#include <QImage>
#include <gtest/gtest.h>

#include <functional>
#include <string>

// The first pixel where the image differs from the expected colours, with both colours;
// empty when every pixel matches.
inline std::string firstWrongPixel(const QImage &image, int width, int height,
                                   const std::function<Colour(int, int)> &expected)
{
    if (image.width() < width || image.height() < height)
        return "image is " + std::to_string(image.width()) + " x " +
               std::to_string(image.height());
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const Colour got = fromQRgb(line[x]);
            const Colour want = expected(x, y);
            if (got != want) {
                char text[96];
                std::snprintf(text, sizeof text, "pixel (%d, %d) is %06X, expected %06X", x, y,
                              unsigned(got), unsigned(want));
                return text;
            }
        }
    }
    return {};
}

inline std::string firstWrongPixel(const QImage &image, const QImage &expected)
{
    if (image.size() != expected.size())
        return "sizes differ";
    return firstWrongPixel(image, image.width(), image.height(), [&](int x, int y) {
        return fromQRgb(expected.pixel(x, y));
    });
}

inline Colour pixelAt(const QImage &image, int x, int y)
{
    return fromQRgb(image.pixel(x, y));
}

// A 640 x 480 picture painted by a colour function.
inline QImage pictureOf(int width, int height, const std::function<Colour(int, int)> &colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = toQRgb(colour(x, y));
    }
    return image;
}
