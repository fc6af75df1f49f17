// The four reporting operations. A report is shown (standard error and listing) and counted only
// under its rule; one that is not shown has no effect at all.
#pragma once

#include <string>

#include "core/assembler.h"

#ifdef __MINGW32__
// The Windows build formats with MinGW's standard printf (__USE_MINGW_ANSI_STDIO), not the C
// runtime's, so the formats are checked against the standard's rules.
#define ZELAS_PRINTF(fmtIndex, firstArg) __attribute__((format(gnu_printf, fmtIndex, firstArg)))
#else
#define ZELAS_PRINTF(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))
#endif

namespace zelas {

// Shown while reporting is enabled and a source file is open; counts a warning.
void reportWarning(Assembler& as, const char* fmt, ...) ZELAS_PRINTF(2, 3);
// As reportWarning, but suppressed by -b.
void reportMinorWarning(Assembler& as, const char* fmt, ...) ZELAS_PRINTF(2, 3);
// Shown in pass 2 or while reporting is enabled; counts an error.
void reportError(Assembler& as, const char* fmt, ...) ZELAS_PRINTF(2, 3);
// Always shown; counts an error and unwinds to the driver (FatalStop).
[[noreturn]] void reportFatal(Assembler& as, const char* fmt, ...) ZELAS_PRINTF(2, 3);

// Reports shown for one line at most; the rest are counted, and the line's end says how many
// were left out. A line has room for 63 data items: a line of them out of range shows whole.
inline constexpr int kMaxReportsPerLine = 64;

// A report the driver writes in a classic form of its own (a file that can't be opened, an
// unknown -p product), not counted: in GNU style it is written as a record, and the listeners
// are told of it, at the current line when atLine is set, else as a report of the run. Returns
// true when the GNU line was written; the caller writes the classic text otherwise. format is
// the catalogue text (for the rule id), text the message made from it.
bool recordDriverReport(Assembler& as, Severity severity, bool atLine, const char* format,
                        const char* text);
// The message of a driver report: format with its one text argument, cut at 255 characters.
std::string driverMessage(const char* format, const char* argument);

// Writes the note of the reports left out on the current line, if any.
void noteReportsLeftOut(Assembler& as);
// Called at the end of every line: the per-line bound starts again for the next one.
inline void endLineReports(Assembler& as) {
  if (as.lineReportsLeftOut != 0) noteReportsLeftOut(as);
  as.lineReports = 0;
}

// Forces the reports of a pass-1-only check through: reporting is set for the guard's lifetime
// and cleared (not restored) afterwards.
class ForcedReport {
 public:
  explicit ForcedReport(Assembler& as) : as_(as) { as_.reportingEnabled = true; }
  ~ForcedReport() { as_.reportingEnabled = false; }
  ForcedReport(const ForcedReport&) = delete;
  ForcedReport& operator=(const ForcedReport&) = delete;

 private:
  Assembler& as_;
};

}  // namespace zelas
