#include "diag/report.h"

#include <cstdarg>
#include <cstdio>

#include "core/buffers.h"
#include "diag/color.h"
#include "diag/gnu_style.h"
#include "emit/listing.h"
#include "scan/scanner.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

// The message text holds 255 characters; vsnprintf cuts a longer one there.
struct MessageText {
  char text[kLineSize];
};

// The text of a report that is shown. A line that pass 1 took with its tabs first gets the text
// the listing shows: some messages quote the line, and the position line shows it.
MessageText formatMessage(Assembler& as, const char* fmt, va_list args) {
  expandLineTabs(as);
  MessageText m;
  std::vsnprintf(m.text, sizeof m.text, fmt, args);
  return m;
}

void writePositionLine(Assembler& as) {
  int column = static_cast<int>(as.scanPos - as.lineStart);
  std::fprintf(as.err, "%d.%d: %s\n", as.lineNumber, column, as.lineStart);
}

// One report: its console lines (classic or GNU style), its listing line, and its count.
void show(Assembler& as, const char* text, const char* classicTitle, const char* gnuSeverity,
          const char* listingPrefix, int& count) {
  if (as.diagnosticStyle == DiagnosticStyle::gnu) {
    writeGnuReport(as, gnuSeverity, text);
  } else {
    // "\nWarning : %s\n", ...
    std::fprintf(as.err, "\n%s : %s\n", paintSeverity(as, classicTitle).c_str(), text);
    writePositionLine(as);
  }
  listPrefixedLine(as, listingPrefix, text);
  ++count;
}

void showWarning(Assembler& as, const char* text) {
  show(as, text, "Warning", "warning", "**** Warning : ", as.warningCount);
}

bool warningsShown(const Assembler& as) {
  return as.reportingEnabled && as.sourceFile != nullptr;
}

}  // namespace

void reportWarning(Assembler& as, const char* fmt, ...) {
  if (!warningsShown(as)) return;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(as, fmt, args);
  va_end(args);
  showWarning(as, m.text);
}

void reportMinorWarning(Assembler& as, const char* fmt, ...) {
  if (as.briefMode || !warningsShown(as)) return;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(as, fmt, args);
  va_end(args);
  showWarning(as, m.text);
}

void reportError(Assembler& as, const char* fmt, ...) {
  if (as.pass != 2 && !as.reportingEnabled) return;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(as, fmt, args);
  va_end(args);
  show(as, m.text, "Error", "error", "**** Error : ", as.errorCount);
}

void reportFatal(Assembler& as, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(as, fmt, args);
  va_end(args);
  show(as, m.text, "Error", "fatal error", "; Error : ", as.errorCount);
  throw FatalStop{};
}

}  // namespace zelas
