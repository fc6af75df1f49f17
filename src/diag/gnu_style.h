// GNU-style diagnostics (--diagnostics=gnu): one "FILE:LINE:COL: severity: message" line per
// report, which editors and build tools can jump to, and the macro expansions that led there.
#pragma once

#include "core/assembler.h"

namespace zelas {

struct Macro;

// Writes the report line, and a note line for each macro expansion it came from, to standard
// error. severity is "warning", "error" or "fatal error".
void writeGnuReport(Assembler& as, const char* severity, const char* text);

// Records, for its lifetime, that macro is being expanded from the current line.
class ExpansionFrame {
 public:
  ExpansionFrame(Assembler& as, const Macro& macro);
  ~ExpansionFrame() { as_.expansions.pop_back(); }
  ExpansionFrame(const ExpansionFrame&) = delete;
  ExpansionFrame& operator=(const ExpansionFrame&) = delete;

 private:
  Assembler& as_;
};

}  // namespace zelas
