#include "diag/report.h"

#include <cstdarg>
#include <cstdio>
#include <optional>

#include "core/buffers.h"
#include "diag/color.h"
#include "diag/diagnostic.h"
#include "diag/gnu_style.h"
#include "diag/messages.h"
#include "emit/listing.h"
#include "scan/line_reader.h"
#include "scan/scanner.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

// The message text holds 255 characters; vsnprintf cuts a longer one there.
struct MessageText {
  char text[kLineSize];
};

// The text of a report that is shown. The line first gets its tabs expanded, the text the listing
// shows: some messages quote the line, and the position line shows it with the cursor's column.
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

// How a report is shown: its severity, and its titles in the classic form and the listing.
struct ReportKind {
  Severity severity;
  bool minor;
  const char* classicTitle;   // "\nWarning : %s\n", ...
  const char* listingPrefix;  // "**** Warning : ", ...
};

constexpr ReportKind kWarning{Severity::warning, false, "Warning", "**** Warning : "};
constexpr ReportKind kMinorWarning{Severity::warning, true, "Warning", "**** Warning : "};
constexpr ReportKind kError{Severity::error, false, "Error", "**** Error : "};
constexpr ReportKind kFatal{Severity::fatal, false, "Error", "; Error : "};

// One report: its console lines (classic or GNU style), its listing line, and its record for
// the listeners. The classic form needs no record, so none is built for it alone.
void show(Assembler& as, const ReportKind& kind, const char* format, const char* text) {
  const bool gnu = as.diagnosticStyle == DiagnosticStyle::gnu;
  std::optional<Diagnostic> record;
  if (gnu || !as.diagnosticListeners.empty()) {
    record = makeDiagnostic(as, kind.severity, kind.minor, format, text);
  }
  if (gnu) {
    writeGnuDiagnostic(as.err, *record, as.colorReports);
  } else {
    std::fprintf(as.err, "\n%s : %s\n", paintSeverity(as.colorReports, kind.classicTitle).c_str(),
                 text);
    writePositionLine(as);
  }
  listPrefixedLine(as, kind.listingPrefix, text);
  for (const DiagnosticListener& listener : as.diagnosticListeners) listener(*record);
}

bool warningsShown(const Assembler& as) {
  return as.reportingEnabled && as.sourceFile != nullptr;
}

// Whether a counted report is shown: not beyond the bound of its line (the line's end tells how
// many were left out), and not beyond the run's bound, which stops the run instead. A report
// left out is not even formatted, so a flood of them costs little time.
bool admitted(Assembler& as) {
  if (as.lineReports >= kMaxReportsPerLine) {
    ++as.lineReportsLeftOut;
    return false;
  }
  if (as.maxReports != 0 && as.reportsShown >= as.maxReports) {
    reportFatal(as, msg::tooManyReports, as.maxReports);
  }
  ++as.lineReports;
  ++as.reportsShown;
  return true;
}

}  // namespace

void reportWarning(Assembler& as, const char* fmt, ...) {
  if (!warningsShown(as)) return;
  ++as.warningCount;
  if (!admitted(as)) return;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(as, fmt, args);
  va_end(args);
  show(as, kWarning, fmt, m.text);
}

void reportMinorWarning(Assembler& as, const char* fmt, ...) {
  if (as.briefMode || !warningsShown(as)) return;
  ++as.warningCount;
  if (!admitted(as)) return;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(as, fmt, args);
  va_end(args);
  show(as, kMinorWarning, fmt, m.text);
}

void reportError(Assembler& as, const char* fmt, ...) {
  if (as.pass != 2 && !as.reportingEnabled) return;
  ++as.errorCount;
  if (!admitted(as)) return;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(as, fmt, args);
  va_end(args);
  show(as, kError, fmt, m.text);
}

void reportFatal(Assembler& as, const char* fmt, ...) {
  ++as.errorCount;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(as, fmt, args);
  va_end(args);
  show(as, kFatal, fmt, m.text);
  throw FatalStop{};
}

std::string driverMessage(const char* format, const char* argument) {
  MessageText m;
  std::snprintf(m.text, sizeof m.text, format, argument);
  return m.text;
}

bool recordDriverReport(Assembler& as, Severity severity, bool atLine, const char* format,
                        const char* text) {
  const bool gnu = as.diagnosticStyle == DiagnosticStyle::gnu;
  if (!gnu && as.diagnosticListeners.empty()) return false;
  Diagnostic d = makeDiagnostic(as, severity, false, format, text);
  if (!atLine) {
    d.position.reset();
    d.expansions.clear();
  }
  if (gnu) writeGnuDiagnostic(as.err, d);
  for (const DiagnosticListener& listener : as.diagnosticListeners) listener(d);
  return gnu;
}

void noteReportsLeftOut(Assembler& as) {
  const int leftOut = as.lineReportsLeftOut;
  as.lineReportsLeftOut = 0;
  expandLineTabs(as);
  as.tokenStart = as.lineStart;  // the note is about the whole line
  MessageText m;
  std::snprintf(m.text, sizeof m.text, msg::reportsLeftOut, leftOut);
  // Shown as a warning is, but not counted: the reports it stands for were.
  show(as, kWarning, msg::reportsLeftOut, m.text);
}

}  // namespace zelas
