// The hand-placed number formats of the listing and the output files against printf's own.
#include "emit/hex_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace zelas {
namespace {

std::string printed(const char* format, unsigned value, int width) {
  char text[32];
  std::snprintf(text, sizeof text, format, width, value);
  return text;
}

TEST(HexText, PutHexWritesWhatPrintfWrites) {
  std::mt19937 random(3);
  for (int trial = 0; trial < 20000; ++trial) {
    // Values of every length, the edges of each digit count among them.
    unsigned bits = random() % 33;
    unsigned value = bits == 0 ? 0u : static_cast<unsigned>(random()) >> (32 - bits);
    if (trial % 7 == 0) value = bits == 0 ? 0 : (1u << (bits - 1)) - (trial % 2);
    for (int minDigits : {1, 2, 4, 5, 8}) {
      char text[16];
      char* end = putHex(text, value, minDigits);
      ASSERT_EQ(std::string(text, end), printed("%0*X", value, minDigits)) << value;
    }
  }
}

TEST(HexText, PutHexByteAndDecimal2WritePrintfsDigits) {
  for (unsigned byte = 0; byte < 512; ++byte) {
    char text[4];
    ASSERT_EQ(std::string(text, putHexByte(text, byte)), printed("%0*X", byte & 0xFFu, 2));
  }
  for (int value : {0, 7, 10, 99, 100, 123, -1}) {
    char text[16];
    char expected[16];
    std::snprintf(expected, sizeof expected, "%02d", value);
    EXPECT_EQ(std::string(text, putDecimal2(text, value)), expected);
  }
}

}  // namespace
}  // namespace zelas
