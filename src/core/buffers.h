// Fixed sizes shared by the scanner, the feeder and the diagnostics.
#pragma once

#include <array>
#include <cstddef>

namespace zelas {

// Every line, token, blank run and message holds at most 255 characters and a terminator.
inline constexpr std::size_t kLineSize = 256;
inline constexpr std::size_t kMaxLineLength = kLineSize - 1;
// File names formed by the driver must fit 127 characters and a terminator.
inline constexpr std::size_t kFileNameSize = 128;
using LineBuffer = std::array<char, kLineSize>;

}  // namespace zelas
