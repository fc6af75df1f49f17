// The assembler's one number type: a 32-bit signed value whose arithmetic wraps modulo 2^32.
// All wrapping goes through unsigned arithmetic so that no overflow is ever undefined.
#pragma once

#include <cstdint>
#include <limits>

namespace zelas {

using Value = std::int32_t;

inline constexpr Value kValueMin = std::numeric_limits<Value>::min();
inline constexpr Value kValueMax = std::numeric_limits<Value>::max();

inline constexpr Value fromUnsigned(std::uint32_t u) {
  return static_cast<Value>(u);
}
inline constexpr std::uint32_t toUnsigned(Value v) {
  return static_cast<std::uint32_t>(v);
}

inline constexpr Value wrapAdd(Value a, Value b) {
  return fromUnsigned(toUnsigned(a) + toUnsigned(b));
}
inline constexpr Value wrapSub(Value a, Value b) {
  return fromUnsigned(toUnsigned(a) - toUnsigned(b));
}
inline constexpr Value wrapMul(Value a, Value b) {
  return fromUnsigned(toUnsigned(a) * toUnsigned(b));
}
inline constexpr Value wrapNeg(Value a) {
  return fromUnsigned(0u - toUnsigned(a));
}

// Signed quotient truncated toward zero. The one quotient that does not fit, the most negative
// value divided by -1, wraps to the most negative value instead of trapping. A zero divisor is the
// caller's to report; it yields 0 here.
inline constexpr Value wrapDiv(Value a, Value b) {
  if (b == 0) return 0;
  if (a == kValueMin && b == -1) return kValueMin;
  return a / b;
}

// Low byte of a value, as stored in the image.
inline constexpr std::uint8_t lowByte(Value v) {
  return static_cast<std::uint8_t>(toUnsigned(v) & 0xFFu);
}

}  // namespace zelas
