#include "diag/gnu_style.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "diag/color.h"
#include "diag/messages.h"
#include "macro/macro.h"
#include "scan/char_class.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

// A report is one line here: the line ends that some messages carry at their end are dropped and
// the ones inside become blanks.
std::string oneLine(const char* text) {
  std::string s = text;
  while (!s.empty() && s.back() == '\n') s.pop_back();
  for (char& c : s) {
    if (c == '\n') c = ' ';
  }
  return s;
}

const char* skipBlanksIn(const char* p) {
  while (isBlank(*p)) ++p;
  return p;
}

// 1-based column of the macro name on the invoking line: the statement word, behind the label
// field when the line has one.
int nameColumn(const char* line, const std::string& name) {
  const char* p = skipBlanksIn(line);
  const char* q = p;
  while (*q != '\0' && !isBlank(*q) && *q != ':') ++q;
  if (*q == ':') p = skipBlanksIn(q + 1);
  if (std::strncmp(p, name.c_str(), name.size()) != 0) {
    const char* found = std::strstr(line, name.c_str());
    if (found != nullptr) p = found;
  }
  return static_cast<int>(p - line) + 1;
}

// Index of the outermost expansion opened from the file now being read; expansions.size() when
// the current line comes from the file itself. An include inside a macro body starts a file
// level of its own, whose lines have real positions.
std::size_t firstFrameOfThisFile(const Assembler& as) {
  std::size_t k = as.expansions.size();
  while (k > 0 && as.expansions[k - 1].includeDepth == as.includeDepth) --k;
  return k;
}

}  // namespace

void writeGnuReport(Assembler& as, const char* severity, const char* text) {
  std::string message = oneLine(text);
  std::string shown = paintSeverity(as, severity);
  // Reports made after the passes (the output writers) belong to no line.
  if (as.sourceFile == nullptr) {
    std::fprintf(as.err, "zelas: %s: %s\n", shown.c_str(), message.c_str());
    return;
  }
  std::size_t first = firstFrameOfThisFile(as);
  if (first == as.expansions.size()) {
    int column = static_cast<int>(as.scanPos - as.lineStart) + 1;
    std::fprintf(as.err, "%s:%d:%d: %s: %s\n", as.sourceFile->path().c_str(), as.lineNumber, column,
                 shown.c_str(), message.c_str());
    return;
  }
  const MacroInvocation& where = as.expansions[first];
  std::fprintf(as.err, "%s:%d:%d: %s: %s\n", where.file->c_str(), where.line,
               nameColumn(where.lineText, *where.invoked), shown.c_str(), message.c_str());
  for (std::size_t k = as.expansions.size(); k-- > first;) {
    const MacroInvocation& frame = as.expansions[k];
    std::fprintf(as.err, "%s:%d:%d: %s: ", frame.file->c_str(), frame.line,
                 nameColumn(frame.lineText, *frame.invoked), paintSeverity(as, "note").c_str());
    std::fprintf(as.err, msg::inExpansionOfMacro, frame.macro->c_str());
    std::fputc('\n', as.err);
  }
}

ExpansionFrame::ExpansionFrame(Assembler& as, const Macro& macro) : as_(as) {
  // Lines that come from no file (a test feeding lines itself) are placed in "zelas".
  static const std::string kNoFile = "zelas";
  MacroInvocation frame;
  frame.macro = &macro.name;
  frame.includeDepth = as.includeDepth;
  // An expansion started by an expanded line stands on the same source line as the outer one.
  if (!as.expansions.empty() && as.expansions.back().includeDepth == as.includeDepth) {
    const MacroInvocation& outer = as.expansions.back();
    frame.file = outer.file;
    frame.line = outer.line;
    frame.lineText = outer.lineText;
    frame.invoked = outer.invoked;
  } else {
    frame.file = as.sourceFile != nullptr ? &as.sourceFile->path() : &kNoFile;
    frame.line = as.lineNumber;
    frame.lineText = as.lineStart;
    frame.invoked = &macro.name;
  }
  as.expansions.push_back(frame);
}

}  // namespace zelas
