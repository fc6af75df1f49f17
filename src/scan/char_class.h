// Character classes of the source language. Bytes are taken as signed, so 80h..FFh fall into no
// class but count as blanks.
#pragma once

#include <array>
#include <cstddef>

namespace zelas {

inline bool isBlank(char c) {
  return c != 0 && static_cast<signed char>(c) <= 32;
}
constexpr bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr bool isDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}
inline bool isHexDigit(char c) {
  return isDecimalDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
// One flag per byte, looked up instead of comparing ranges: names are scanned for every token.
inline constexpr auto kNameCharTable = [] {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c) {
    char ch = static_cast<char>(c);
    table[static_cast<std::size_t>(c)] =
        isLetter(ch) || isDecimalDigit(ch) || ch == '_' || ch == '#' || ch == '.';
  }
  return table;
}();
inline bool isNameChar(char c) {
  return kNameCharTable[static_cast<unsigned char>(c)];
}
inline bool isOperatorChar(char c) {
  return c == '*' || c == '/' || c == '+' || c == '-' || c == '&' || c == '^' || c == '~' ||
         c == '(' || c == ')' || c == '|';
}
inline bool isPunctChar(char c) {
  return isOperatorChar(c) || c == '$' || c == ',' || c == '[' || c == ']';
}
// Folds A..Z to lower case and leaves every other byte alone.
constexpr char foldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
// The value of a hex digit (isHexDigit true), either case.
inline int hexDigitValue(char c) {
  if (isDecimalDigit(c)) return c - '0';
  return foldCase(c) - 'a' + 10;
}
// A comment starts at ";" or at "//".
inline bool isCommentStart(const char* p) {
  return p[0] == ';' || (p[0] == '/' && p[1] == '/');
}

}  // namespace zelas
