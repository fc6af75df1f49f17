// Text helpers of the disassembler: printf-style formatting into a string, and numbers written
// as the assembler's hexadecimal literals.
#pragma once

#include <string>

#include "diag/report.h"

namespace zelas::dis {

// The printf-style text of format and its arguments.
std::string formatText(const char* format, ...) ZELAS_PRINTF(1, 2);
// value as a hexadecimal literal of at least digits digits with the h suffix, with a leading 0
// when it would otherwise start with a letter (0A5h, 12h, 0123h).
std::string hexLiteral(unsigned value, int digits);

}  // namespace zelas::dis
