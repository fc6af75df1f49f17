// GNU-style diagnostics (--diagnostics=gnu): one "FILE:LINE:COL: severity: message" line per
// report, which editors and build tools can jump to, and the macro expansions that led there.
#pragma once

#include <cstdio>

#include "core/assembler.h"
#include "diag/diagnostic.h"

namespace zelas {

struct BodyLine;
struct Macro;

// Expansion notes shown at each end of a longer chain; the ones between are counted in one note.
inline constexpr std::size_t kNotesAtEachEnd = 5;

// Writes the report line of d, and a note line for each macro expansion it came from, to err.
void writeGnuDiagnostic(std::FILE* err, const Diagnostic& d);

// Records, for its lifetime, that macro is being expanded from the current line.
class ExpansionFrame {
 public:
  ExpansionFrame(Assembler& as, const Macro& macro);
  ~ExpansionFrame() { as_.expansions.pop_back(); }
  ExpansionFrame(const ExpansionFrame&) = delete;
  ExpansionFrame& operator=(const ExpansionFrame&) = delete;

  // The body line about to be replayed: reports made on it point at it.
  void replaying(const BodyLine& line) { as_.expansions.back().bodyLine = &line; }

 private:
  Assembler& as_;
};

}  // namespace zelas
