#include "diag/gnu_style.h"

#include <cstdio>
#include <string>

#include "diag/messages.h"
#include "macro/macro.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

const char* severityWord(Severity severity) {
  switch (severity) {
    case Severity::warning:
      return "warning";
    case Severity::error:
      return "error";
    case Severity::fatal:
      return "fatal error";
  }
  return "error";
}

void writePosition(std::FILE* err, const SourcePosition& at) {
  std::fprintf(err, "%s:%d:%d: ", at.file.c_str(), at.line, at.column);
}

void writeExpansionNote(std::FILE* err, const ExpansionStep& step) {
  writePosition(err, step.invokedAt);
  std::fputs("note: ", err);
  std::fprintf(err, msg::inExpansionOfMacro, step.macro.c_str());
  std::fputc('\n', err);
}

// A deep chain keeps its two ends, where the fault is and where the user invoked the outermost
// macro; the steps between are counted in one note at the first one left out.
void writeExpansionNotes(std::FILE* err, const std::vector<ExpansionStep>& steps) {
  std::size_t n = steps.size();
  std::size_t cutFrom = n;
  std::size_t cutTo = n;
  if (n > 2 * kNotesAtEachEnd + 1) {
    cutFrom = kNotesAtEachEnd;
    cutTo = n - kNotesAtEachEnd;
  }
  for (std::size_t k = 0; k < n; ++k) {
    if (k < cutFrom || k >= cutTo) {
      writeExpansionNote(err, steps[k]);
    } else if (k == cutFrom) {
      writePosition(err, steps[k].invokedAt);
      std::fputs("note: ", err);
      std::fprintf(err, msg::expansionsLeftOut, static_cast<int>(cutTo - cutFrom));
      std::fputc('\n', err);
    }
  }
}

}  // namespace

void writeGnuDiagnostic(std::FILE* err, const Diagnostic& d) {
  if (!d.position) {
    std::fprintf(err, "zelas: %s: %s\n", severityWord(d.severity), d.message.c_str());
    return;
  }
  writePosition(err, *d.position);
  std::fprintf(err, "%s: %s\n", severityWord(d.severity), d.message.c_str());
  writeExpansionNotes(err, d.expansions);
}

ExpansionFrame::ExpansionFrame(Assembler& as, const Macro& macro) : as_(as) {
  // Lines that come from no file (a test feeding lines itself) are placed in "zelas".
  static const std::string kNoFile = "zelas";
  MacroInvocation frame;
  frame.macro = &macro;
  frame.includeDepth = as.includeDepth;
  frame.file = as.sourceFile != nullptr ? &as.sourceFile->path() : &kNoFile;
  frame.line = as.lineNumber;
  // The invoking line was read up to the macro's name and its arguments, which take no token.
  frame.nameOffset = reportedOffset(as);
  as.expansions.push_back(frame);
}

}  // namespace zelas
