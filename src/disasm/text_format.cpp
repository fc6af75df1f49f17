#include "disasm/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace zelas::dis {

std::string formatText(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  return text;
}

std::string hexLiteral(unsigned value, int digits) {
  std::string text = formatText("%0*Xh", digits, value);
  // A literal must begin with a decimal digit, or it would read as a name.
  if (text[0] >= 'A' && text[0] <= 'F') text.insert(text.begin(), '0');
  return text;
}

}  // namespace zelas::dis
