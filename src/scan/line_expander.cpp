#include "scan/line_expander.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "scan/source_file.h"

namespace zelas {

namespace {

constexpr int kMax = static_cast<int>(kMaxLineLength);

// Stores the characters of the line being read, and counts the ones beyond the limit.
struct LineWriter {
  char* write;
  int column = 0;
  int overflows = 0;

  void put(char c) {
    if (column >= kMax) {
      ++overflows;
      return;
    }
    *write++ = c;
    ++column;
  }

  // A tab advances to the next multiple of the tab width and always stores at least one blank.
  // A tab that straddles the limit stores the blanks that fit. A width below 1 (possible only in
  // the configuration file, before the driver raises it) stores one blank.
  void putTab(int tabWidth) {
    int width = tabWidth < 1 ? 1 : tabWidth;
    int blanks = width - column % width;
    if (column >= kMax) {
      put(' ');
      return;
    }
    for (int i = 0; i < blanks && column < kMax; ++i) {
      *write++ = ' ';
      ++column;
    }
  }
};

// Expands a tab at out (column of the line) when it fits whole; false when it doesn't.
bool putWholeTab(char*& out, int column, int width) {
  // The usual width of 8 takes a mask instead of a division.
  int blanks = width == 8 ? 8 - (column & 7) : width - column % width;
  if (column + blanks > kMax) return false;
  if (blanks <= 8 && column + 8 <= kMax) {
    // One store; the blanks past the tab stop are overwritten by what follows, or lie beyond
    // the terminator.
    std::memcpy(out, "        ", 8);
  } else {
    std::memset(out, ' ', static_cast<std::size_t>(blanks));
  }
  out += blanks;
  return true;
}

// Tabs, line ends and the other control characters are the bytes below 14; everything else is
// copied as it stands.
constexpr bool isPlainByte(char c) {
  return static_cast<unsigned char>(c) >= 14;
}

// Bit 7 of a byte of the result is set where word holds a byte below 14, exactly so at the
// lowest such byte (a borrow can only flag bytes above it). Bytes 80h..FFh are never flagged.
constexpr std::uint64_t controlBytes(std::uint64_t word) {
  return (word - 0x0E0E0E0E0E0E0E0EULL) & ~word & 0x8080808080808080ULL;
}

// Copies the characters at the start of w, expanding the tabs, up to the first line end or
// until the next character no longer fits whole; returns how many were taken from w.
std::size_t copyPlainRun(LineWriter& line, std::string_view w, int tabWidth) {
  const int width = tabWidth < 1 ? 1 : tabWidth;
  const char* src = w.data();
  const char* const srcEnd = src + w.size();
  char* out = line.write;
  char* const lineBegin = out - line.column;
  char* const outEnd = lineBegin + kMaxLineLength;
  for (;;) {
    // Eight bytes at a time while both the block and the line have room for them; the bytes
    // stored past a control character are overwritten by what follows it, or lie beyond the
    // terminator.
    if constexpr (std::endian::native == std::endian::little) {
      while (srcEnd - src >= 8 && outEnd - out >= 8) {
        std::uint64_t word;
        std::memcpy(&word, src, 8);
        std::memcpy(out, &word, 8);
        if (std::uint64_t stops = controlBytes(word)) {
          std::size_t k = static_cast<std::size_t>(std::countr_zero(stops)) / 8;
          src += k;
          out += k;
          break;
        }
        src += 8;
        out += 8;
      }
    }
    while (src < srcEnd && out < outEnd && isPlainByte(*src)) *out++ = *src++;
    if (src == srcEnd || out == outEnd) break;
    char c = *src;
    if (c == '\t') {
      if (!putWholeTab(out, static_cast<int>(out - lineBegin), width)) break;
    } else if (c == '\n' || c == '\r') {
      break;
    } else {
      *out++ = c;  // another control character, stored like any other
    }
    ++src;
  }
  line.column = static_cast<int>(out - lineBegin);
  line.write = out;
  return static_cast<std::size_t>(src - w.data());
}

}  // namespace

ExpandedLine expandLine(SourceFile& file, int tabWidth, char* out) {
  LineWriter line{out};
  bool any = false;
  for (std::string_view w = file.window(); !w.empty(); w = file.window()) {
    any = true;
    // Plain characters are copied straight from the file's block while the line has room;
    // line ends, tabs and a full line take the character-by-character road below.
    std::size_t n = copyPlainRun(line, w, tabWidth);
    file.take(n);
    if (n == w.size()) continue;
    int c = file.get();
    if (c == '\n') break;
    if (c == '\r' && file.peek() == '\n') {
      file.get();
      break;
    }
    if (c == '\t') {
      line.putTab(tabWidth);
    } else {
      line.put(static_cast<char>(c));
    }
  }
  *line.write = '\0';
  return ExpandedLine{any, line.overflows, line.column};
}

}  // namespace zelas
