#include "diag/color.h"

#include <cstdlib>

#include "core/console.h"

namespace zelas {

namespace {

// Terminal colour sequences: bold magenta, bold red, bold cyan, and back to plain.
constexpr std::string_view kWarningColor = "\033[1;35m";
constexpr std::string_view kErrorColor = "\033[1;31m";
constexpr std::string_view kNoteColor = "\033[1;36m";
constexpr std::string_view kPlain = "\033[0m";

// Warnings begin with W or w and notes with n; every other severity (error, fatal error) is an
// error.
std::string_view colorOf(std::string_view word) {
  if (word.starts_with('W') || word.starts_with('w')) return kWarningColor;
  if (word.starts_with('n')) return kNoteColor;
  return kErrorColor;
}

bool noColorRequested() {
  const char* value = std::getenv("NO_COLOR");
  return value != nullptr && *value != '\0';
}

}  // namespace

bool colorWanted(ColorMode mode, std::FILE* stream) {
  switch (mode) {
    case ColorMode::always:
      return true;
    case ColorMode::never:
      return false;
    case ColorMode::automatic:
      break;
  }
  return !noColorRequested() && isColorTerminal(stream);
}

std::string paintSeverity(bool color, std::string_view word) {
  if (!color) return std::string(word);
  std::string painted(colorOf(word));
  painted += word;
  painted += kPlain;
  return painted;
}

}  // namespace zelas
