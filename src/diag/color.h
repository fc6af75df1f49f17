// Colour for the severity words of reports on standard error (--color): warning, error, fatal
// error and note. Only standard error is coloured; the listing never is.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace zelas {

// When the severity words are coloured: on a terminal only, always, or never.
enum class ColorMode { automatic, always, never };

// Whether reports written to stream get colour: automatic colours a terminal unless NO_COLOR is
// set to a non-empty text.
bool colorWanted(ColorMode mode, std::FILE* stream);

// word ("Warning", "error", "fatal error", "note", ...) as written to standard error: in its
// colour when color is set (Assembler::colorReports), else unchanged.
std::string paintSeverity(bool color, std::string_view word);

}  // namespace zelas
