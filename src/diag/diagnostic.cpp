#include "diag/diagnostic.h"

#include "core/assembler.h"
#include "core/buffers.h"
#include "diag/messages.h"
#include "macro/macro.h"
#include "macro/macro_expand.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

struct RuleRow {
  const char* text;
  std::string_view id;
};

#define ZELAS_RULE_ROW(name, text) {msg::name, #name},
constexpr RuleRow kRules[] = {ZELAS_REPORTED_MESSAGES(ZELAS_RULE_ROW)};
#undef ZELAS_RULE_ROW

constexpr std::string_view kUnlisted = "unlisted";
// Lines that come from no file (a test feeding lines itself) are placed in "zelas".
constexpr std::string_view kNoFile = "zelas";

// A record holds a report on one line: the line ends that some messages carry at their end are
// dropped and the ones inside become blanks.
std::string oneLine(const char* text) {
  std::string s = text;
  while (!s.empty() && s.back() == '\n') s.pop_back();
  for (char& c : s) {
    if (c == '\n') c = ' ';
  }
  return s;
}

// Index of the outermost expansion opened from the file now being read; expansions.size() when
// the current line comes from the file itself. An include inside a macro body starts a file
// level of its own, whose lines have real positions.
std::size_t firstFrameOfThisFile(const Assembler& as) {
  std::size_t k = as.expansions.size();
  while (k > 0 && as.expansions[k - 1].includeDepth == as.includeDepth) --k;
  return k;
}

std::string fileOfMacro(const Macro& macro) {
  return macro.file.empty() ? std::string(kNoFile) : macro.file;
}

// The place in the macro's definition of what stands at offset of the line frame replays now.
SourcePosition bodyPosition(const MacroInvocation& frame, std::size_t offset) {
  return {fileOfMacro(*frame.macro), frame.bodyLine->lineNumber,
          bodyColumn(*frame.bodyLine, *frame.macro, offset)};
}

// Where frame's macro was invoked: a body line of the enclosing frame, or a line of a file.
SourcePosition invocationPosition(const Assembler& as, std::size_t k, std::size_t first) {
  const MacroInvocation& frame = as.expansions[k];
  if (k > first && as.expansions[k - 1].bodyLine != nullptr) {
    return bodyPosition(as.expansions[k - 1], frame.nameOffset);
  }
  return {*frame.file, frame.line, static_cast<int>(frame.nameOffset) + 1};
}

}  // namespace

std::string_view ruleIdOf(const char* text) {
  for (const RuleRow& row : kRules) {
    if (row.text == text) return row.id;
  }
  return kUnlisted;
}

std::vector<std::string_view> allRuleIds() {
  std::vector<std::string_view> ids;
  for (const RuleRow& row : kRules) ids.push_back(row.id);
  return ids;
}

std::size_t reportedOffset(const Assembler& as) {
  // A data statement cuts its line after the first item, so the token of a later item may lie
  // behind the line's end; it is still within the line's buffer, where it stood.
  const char* end = as.lineStart + kMaxLineLength;
  if (as.tokenStart != nullptr && as.tokenStart >= as.lineStart && as.tokenStart <= end) {
    return static_cast<std::size_t>(as.tokenStart - as.lineStart);
  }
  return static_cast<std::size_t>(as.scanPos - as.lineStart);
}

Diagnostic makeDiagnostic(const Assembler& as, Severity severity, bool minor, const char* format,
                          const char* text) {
  Diagnostic d;
  d.severity = severity;
  d.minor = minor;
  d.ruleId = ruleIdOf(format);
  d.message = oneLine(text);
  // Reports made after the passes (the output writers) belong to no line.
  if (as.sourceFile == nullptr) return d;
  std::size_t offset = reportedOffset(as);
  std::size_t first = firstFrameOfThisFile(as);
  if (first == as.expansions.size() || as.expansions.back().bodyLine == nullptr) {
    d.position = SourcePosition{as.sourceFile->path(), as.lineNumber, static_cast<int>(offset) + 1};
    if (first == as.expansions.size()) return d;
  } else {
    d.position = bodyPosition(as.expansions.back(), offset);
  }
  for (std::size_t k = as.expansions.size(); k-- > first;) {
    d.expansions.push_back({as.expansions[k].macro->name, invocationPosition(as, k, first)});
  }
  return d;
}

}  // namespace zelas
