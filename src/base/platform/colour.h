#pragma once

#include <QColor>
#include <QRgb>
#include <cstdint>

// A stored colour value holds red in its lowest byte: 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b)
{
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kBlack = 0x00000000;
constexpr Colour kPureYellow = 0x0000FFFF;
// The button-face grey of windows, frames and surfaces without a colour of their own.
constexpr Colour kButtonFace = rgb(240, 240, 240);

// Surfaces store QImage::Format_RGB32 pixels, 0xFFRRGGBB. The alpha byte is always 0xFF.
constexpr QRgb toQRgb(Colour c)
{
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

constexpr Colour fromQRgb(QRgb p)
{
    return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16);
}

inline QColor toQColor(Colour c)
{
    return QColor::fromRgb(toQRgb(c));
}
