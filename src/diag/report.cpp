#include "diag/report.h"

#include <cstdarg>
#include <cstdio>

#include "core/buffers.h"
#include "diag/gnu_style.h"
#include "emit/listing.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

enum class Severity { warning, error, fatal };

// The message text holds 255 characters; vsnprintf cuts a longer one there.
struct MessageText {
  char text[kLineSize];
};

MessageText formatMessage(const char* fmt, va_list args) {
  MessageText m;
  std::vsnprintf(m.text, sizeof m.text, fmt, args);
  return m;
}

void writePositionLine(Assembler& as) {
  int column = static_cast<int>(as.scanPos - as.lineStart);
  std::fprintf(as.err, "%d.%d: %s\n", as.lineNumber, column, as.lineStart);
}

void writeListing(Assembler& as, const char* prefix, const char* text) {
  listPrefixedLine(as, prefix, text);
}

void showWarning(Assembler& as, const char* text) {
  if (as.diagnosticStyle == DiagnosticStyle::gnu) {
    writeGnuReport(as, "warning", text);
    writeListing(as, "**** Warning : ", text);
    ++as.warningCount;
    return;
  }
  std::fprintf(as.err, "\nWarning : %s\n", text);
  writeListing(as, "**** Warning : ", text);
  writePositionLine(as);
  ++as.warningCount;
}

void showError(Assembler& as, const char* text, const char* listingPrefix, const char* severity) {
  if (as.diagnosticStyle == DiagnosticStyle::gnu) {
    writeGnuReport(as, severity, text);
  } else {
    std::fprintf(as.err, "\nError : %s\n", text);
    writePositionLine(as);
  }
  writeListing(as, listingPrefix, text);
  ++as.errorCount;
}

bool warningsShown(const Assembler& as) {
  return as.reportingEnabled && as.sourceFile != nullptr;
}

}  // namespace

void reportWarning(Assembler& as, const char* fmt, ...) {
  if (!warningsShown(as)) return;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(fmt, args);
  va_end(args);
  showWarning(as, m.text);
}

void reportMinorWarning(Assembler& as, const char* fmt, ...) {
  if (as.briefMode || !warningsShown(as)) return;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(fmt, args);
  va_end(args);
  showWarning(as, m.text);
}

void reportError(Assembler& as, const char* fmt, ...) {
  if (as.pass != 2 && !as.reportingEnabled) return;
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(fmt, args);
  va_end(args);
  showError(as, m.text, "**** Error : ", "error");
}

void reportFatal(Assembler& as, const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  MessageText m = formatMessage(fmt, args);
  va_end(args);
  showError(as, m.text, "; Error : ", "fatal error");
  throw FatalStop{};
}

}  // namespace zelas
