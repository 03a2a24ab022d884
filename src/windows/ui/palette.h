#pragma once

#include "platform/colour.h"

// The pale colours of the program's buttons and caption labels. Each window gives them
// its own roles: pale cyan composes and confirms, pale magenta saves, moves and cancels.
constexpr Colour kPaleYellow = rgb(255, 255, 192);
constexpr Colour kPaleGreen = rgb(192, 255, 192);
constexpr Colour kPaleCyan = rgb(192, 255, 255);
constexpr Colour kPaleRed = rgb(255, 192, 192);
constexpr Colour kPaleMagenta = rgb(255, 192, 255);
constexpr Colour kPaleBlue = rgb(192, 192, 255);
constexpr Colour kPaleOrange = rgb(255, 224, 192);
constexpr Colour kCyan = rgb(0, 255, 255);
constexpr Colour kGrey = rgb(192, 192, 192);
