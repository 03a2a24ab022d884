#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace sources
{

// Without a count, a long source gives this many frames.
constexpr int kDefaultPickCount = 6;

// The frames taken from M frames in all: with 2 to 8, every one; with more, N evenly
// spaced, frame i of N being frame floor(i M / N), N the count asked for (2 to 8) or 6.
// With fewer than 2 there is nothing to animate and the list is empty.
std::vector<int> pickFrames(int total, std::optional<int> count);

// Whether the frames were chosen for the user (more than 8 and no count given).
bool pickIsChosen(int total, std::optional<int> count);

// The choice said to the user: "picked 6 of 120 frames: 1, 21, 41, 61, 81, 101", numbered
// from 1.
QString describePick(const std::vector<int> &picked, int total);

} // namespace sources
