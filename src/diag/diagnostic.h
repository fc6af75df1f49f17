// Diagnostics as records: what a shown report says and where it points, for the consumers that
// need more than the console text (GNU-style lines, a SARIF log, a language server).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelas {

struct Assembler;

enum class Severity { warning, error, fatal };

// A place in a source file: the file as the user named it (or as an include statement named
// it), the line from 1, and the column from 1 after tab expansion.
struct SourcePosition {
  std::string file;
  int line = 0;
  int column = 0;
};

// One macro expansion a report came from: the macro, and the token that invoked it.
struct ExpansionStep {
  std::string macro;
  SourcePosition invokedAt;
};

// One shown report.
struct Diagnostic {
  Severity severity = Severity::warning;
  bool minor = false;       // a minor warning, one that -b leaves out
  std::string_view ruleId;  // the catalogue name of the message, e.g. "labelUnresolved"
  std::string message;      // the message on one line
  // The line of the fault: inside a macro body, the body line in the file that defines the
  // macro. None for a report that belongs to the run rather than to a line.
  std::optional<SourcePosition> position;
  // The expansions the line came from, innermost first, down to the invocation on a line of a
  // real file. Empty outside macro bodies.
  std::vector<ExpansionStep> expansions;
};

// Told of every report that is shown, once each, after its console and listing lines.
using DiagnosticListener = std::function<void(const Diagnostic&)>;

// The rule id for a message text: the name of its catalogue constant, or "unlisted" for a text
// that is not one (a test's own text). The ids are read by other programs: they never change.
std::string_view ruleIdOf(const char* text);
// Every rule id, in catalogue order.
std::vector<std::string_view> allRuleIds();

// Where in the current line a report points: the start of the token read last on the line,
// or else the cursor.
std::size_t reportedOffset(const Assembler& as);
// Builds the record of a report about to be shown; text is the formatted message.
Diagnostic makeDiagnostic(const Assembler& as, Severity severity, bool minor, const char* format,
                          const char* text);

}  // namespace zelas
