#include "symbols/literals.h"

#include <cstdint>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "scan/char_class.h"

namespace zelas {

namespace {

bool isBinaryDigit(char c) {
  return c == '0' || c == '1';
}
bool isSuffix(char c, char lower) {
  return foldCase(c) == lower;
}

// One or more digits of the class, then the suffix letter as the last character.
template <typename DigitTest>
bool digitsThenSuffix(std::string_view token, DigitTest isDigit, char suffix) {
  if (token.size() < 2 || !isSuffix(token.back(), suffix)) return false;
  for (char c : token.substr(0, token.size() - 1)) {
    if (!isDigit(c)) return false;
  }
  return true;
}

bool isCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The value of the hex digits at the start of text, wrapping at 32 bits; count tells how many
// digits there were.
std::uint32_t leadingHexValue(std::string_view text, std::size_t& count) {
  std::uint32_t value = 0;
  for (count = 0; count < text.size() && isHexDigit(text[count]); ++count) {
    value = value * 16u + static_cast<std::uint32_t>(hexDigitValue(text[count]));
  }
  return value;
}

// The value of the decimal digits at the start of text, which stops growing just past the
// 32-bit range so that any number of digits clamps without overflow; count tells how many digits
// there were.
std::int64_t cappedMagnitude(std::string_view text, std::size_t& count) {
  constexpr std::int64_t kCap = std::int64_t{kValueMax} + 2;
  std::int64_t magnitude = 0;
  for (count = 0; count < text.size() && isDecimalDigit(text[count]); ++count) {
    magnitude = magnitude * 10 + (text[count] - '0');
    if (magnitude > kCap) magnitude = kCap;
  }
  return magnitude;
}

Value clampToValue(std::int64_t value) {
  if (value > kValueMax) return kValueMax;
  if (value < kValueMin) return kValueMin;
  return static_cast<Value>(value);
}

}  // namespace

bool isBinaryNumber(std::string_view token) {
  return digitsThenSuffix(token, isBinaryDigit, 'b');
}

bool isHexNumber(std::string_view token) {
  return digitsThenSuffix(token, isHexDigit, 'h');
}

bool isDecimalNumber(std::string_view token) {
  if (!token.empty() && isSuffix(token.back(), 'd')) {
    return digitsThenSuffix(token, isDecimalDigit, 'd');
  }
  if (token.empty()) return false;
  for (char c : token) {
    if (!isDecimalDigit(c)) return false;
  }
  return true;
}

Value binaryValue(std::string_view token) {
  std::uint32_t value = 0;
  for (char c : token) {
    if (!isBinaryDigit(c)) break;
    value = value * 2u + static_cast<std::uint32_t>(c - '0');
  }
  return fromUnsigned(value);
}

Value hexValue(std::string_view token) {
  std::size_t count = 0;
  return fromUnsigned(leadingHexValue(token, count));
}

Value decimalValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::size_t count = 0;
  std::int64_t magnitude = cappedMagnitude(text.substr(i), count);
  return clampToValue(negative ? -magnitude : magnitude);
}

std::optional<Value> numberValue(std::string_view token) {
  if (token.empty() || !isHexDigit(token.front())) return std::nullopt;
  switch (foldCase(token.back())) {
    case 'b':
      if (isBinaryNumber(token)) return binaryValue(token);
      return std::nullopt;
    case 'd':
      if (isDecimalNumber(token)) return decimalValue(token.substr(0, token.size() - 1));
      return std::nullopt;
    case 'h': {
      // Operands are full of hex numbers: the digits are checked and valued in one pass. The
      // suffix is no hex digit, so they must run up to it.
      std::size_t count = 0;
      std::uint32_t value = leadingHexValue(token, count);
      if (count != token.size() - 1) return std::nullopt;
      return fromUnsigned(value);
    }
    default: {
      // A token is a name, never blanks or a sign: its digits must run to its end.
      std::size_t count = 0;
      std::int64_t magnitude = cappedMagnitude(token, count);
      if (count != token.size()) return std::nullopt;
      return clampToValue(magnitude);
    }
  }
}

Value characterValue(Assembler& as, std::string_view token) {
  std::uint32_t value = 0;
  int count = 0;
  std::size_t i = 1;  // behind the opening quote
  while (i < token.size() && token[i] != '\'') {
    // A backslash takes the next character literally. A lone backslash just before the closing
    // quote (a line that ended inside the constant) therefore takes that quote as its character:
    // the constant ends there with the quote's value, and nothing past the token is read.
    if (token[i] == '\\' && i + 1 < token.size()) ++i;
    value = value * 256u + static_cast<unsigned char>(token[i]);
    ++count;
    ++i;
    if (count == 2 && i < token.size() && token[i] != '\'') {
      std::string whole(token);
      reportWarning(as, msg::charTooLong, whole.c_str());
      break;
    }
  }
  return fromUnsigned(value);
}

}  // namespace zelas
