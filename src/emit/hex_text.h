// Fixed number formats of the listing and the output files, written straight into a character
// buffer: the same text as "%0nX" and "%02d" of printf without parsing a format for every byte.
#pragma once

#include <array>
#include <bit>
#include <cstdio>
#include <cstring>

namespace zelas {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// The two digits of every byte, side by side: the ROM and HEX files and the listing format
// millions of bytes, and one two-byte copy beats two lookups with their shifts.
inline constexpr std::array<char, 512> kHexPairs = [] {
  std::array<char, 512> pairs{};
  for (unsigned b = 0; b < 256; ++b) {
    pairs[2 * b] = kHexDigits[b >> 4];
    pairs[2 * b + 1] = kHexDigits[b & 0xF];
  }
  return pairs;
}();

// Writes value as upper-case hexadecimal with at least minDigits digits ("%0<minDigits>X" of an
// unsigned int); returns the end of the text. Every listing line starts with an address, so the
// digits are placed two at a time from the right.
inline char* putHex(char* out, unsigned value, int minDigits) {
  int digits = value == 0 ? 1 : (std::bit_width(value) + 3) / 4;
  if (digits < minDigits) digits = minDigits;
  char* end = out + digits;
  char* p = end;
  for (; p - out >= 2; value >>= 8) {
    p -= 2;
    std::memcpy(p, &kHexPairs[2 * (value & 0xFFu)], 2);
  }
  if (p > out) *--p = kHexDigits[value & 0xFu];
  return end;
}

// Writes a byte as two upper-case hexadecimal digits ("%02X" of 0..255; of a larger value, its
// low byte).
inline char* putHexByte(char* out, unsigned byte) {
  std::memcpy(out, &kHexPairs[2 * (byte & 0xFFu)], 2);
  return out + 2;
}

// Writes value in decimal with at least two digits ("%02d").
inline char* putDecimal2(char* out, int value) {
  if (value >= 0 && value < 100) {
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
  }
  char text[16];
  int n = std::snprintf(text, sizeof text, "%02d", value);
  for (int i = 0; i < n; ++i) *out++ = text[i];
  return out;
}

}  // namespace zelas
