#pragma once

#include "platform/colour.h"
#include "platform/surface.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iomanip>
#include <sstream>

// Image comparisons that name the first wrong pixel with its coordinates and both colours
// (as 0x00BBGGRR values), so a failing pattern test says where it went wrong.
namespace pixels
{

inline std::string hex(Colour c)
{
    std::ostringstream out;
    out << "0x" << std::hex << std::setw(8) << std::setfill('0') << c;
    return out.str();
}

inline Colour at(const QImage &image, int x, int y)
{
    return fromQRgb(image.pixel(x, y));
}

// Every pixel of the surface equals expected(x, y).
inline ::testing::AssertionResult matches(const QImage &image,
                                          const std::function<Colour(int, int)> &expected)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Colour want = expected(x, y);
            const Colour got = at(image, x, y);
            if (got != want)
                return ::testing::AssertionFailure()
                       << "first wrong pixel at (" << x << ", " << y << "): got " << hex(got)
                       << ", expected " << hex(want);
        }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult matches(const Surface &surface,
                                          const std::function<Colour(int, int)> &expected)
{
    return matches(surface.image(), expected);
}

// Same size and the same 24-bit colour everywhere.
inline ::testing::AssertionResult sameImage(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure()
               << "size " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    return matches(actual, [&](int x, int y) { return at(expected, x, y); });
}

// The alpha byte of every stored pixel is 0xFF.
inline ::testing::AssertionResult opaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] >> 24) != 0xFFu)
                return ::testing::AssertionFailure()
                       << "alpha of (" << x << ", " << y << ") is " << (line[x] >> 24);
    }
    return ::testing::AssertionSuccess();
}

// A picture of random 24-bit colours, the same for the same seed.
inline QImage randomPicture(int width, int height, std::uint32_t seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t state = seed * 2654435761u + 1u;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            line[x] = 0xFF000000u | (state & 0xFFFFFFu);
        }
    }
    return image;
}

// A picture painted by a colour function.
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

// A picture filled with one colour.
inline QImage plainPicture(int width, int height, Colour colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(toQRgb(colour));
    return image;
}

} // namespace pixels
