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
  std::uint32_t value = 0;
  for (char c : token) {
    if (!isHexDigit(c)) break;
    value = value * 16u + static_cast<std::uint32_t>(hexDigitValue(c));
  }
  return fromUnsigned(value);
}

Value decimalValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Stops growing just past the 32-bit range, so any number of digits clamps without overflow.
  constexpr std::int64_t kCap = std::int64_t{kValueMax} + 2;
  std::int64_t magnitude = 0;
  for (; i < text.size() && isDecimalDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kCap) magnitude = kCap;
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > kValueMax) return kValueMax;
  if (value < kValueMin) return kValueMin;
  return static_cast<Value>(value);
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
    case 'h':
      if (isHexNumber(token)) return hexValue(token);
      return std::nullopt;
    default:
      if (isDecimalDigit(token.front()) && isDecimalNumber(token)) return decimalValue(token);
      return std::nullopt;
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
