// Numeric literals with radix suffixes, and character constants.
#pragma once

#include <optional>
#include <string_view>

#include "core/value.h"

namespace zelas {

struct Assembler;

bool isBinaryNumber(std::string_view token);
bool isHexNumber(std::string_view token);
bool isDecimalNumber(std::string_view token);
Value binaryValue(std::string_view token);
Value hexValue(std::string_view token);
// Base-10 conversion with optional blanks and sign, clamped to the 32-bit range.
Value decimalValue(std::string_view text);
// The number rule: the value of a number token, or nothing when it is not a number.
std::optional<Value> numberValue(std::string_view token);
// Value of a character constant token ('A', 'AB', '\''); warns past two characters.
Value characterValue(Assembler& as, std::string_view token);

}  // namespace zelas
