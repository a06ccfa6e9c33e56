#pragma once
// The growable arrays shared by the whole program, and the markers of undefined values.

#include <cstdint>
#include <string>
#include <vector>

namespace radexa {

using StringArray = std::vector<std::string>; // texts, Windows-1252 bytes
using DoubleArray = std::vector<double>;
using SmallIntArray = std::vector<std::int16_t>;
using LongIntArray = std::vector<std::int32_t>;

// An undefined number, or a lookup that found nothing.
constexpr double kUndefined = -99.0;
constexpr int kUndefinedIndex = -99;
// A missing list position.
constexpr int kNoPosition = -1;

} // namespace radexa
