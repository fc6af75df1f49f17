// Macro invocations: argument binding, per-expansion local labels and replay of the body.
#pragma once

#include <cstddef>
#include <string>

namespace zelas {

struct Assembler;
struct Macro;
struct BodyLine;
struct BodyToken;

// Expands the macro named by the statement word; false (cursor unchanged) when it names none.
bool expandMacroCall(Assembler& as);
// Binds the arguments at the cursor and replays the body of macro.
void resolveMacro(Assembler& as, Macro* macro);
// Reads one argument: the text up to a comma, semicolon or backslash (not consumed).
std::string readArgument(Assembler& as);
// Writes the expanded text of line, its trailing blanks and comment included, into the current
// line buffer; cursor at its start. A line that would not fit 255 characters is cut there and
// reported once.
void buildLine(Assembler& as, const BodyLine* line, Macro* macro);
// The column, in the macro's definition, of the body token that buildLine placed at offset of
// the expanded line (with the arguments bound now).
int bodyColumn(const BodyLine& line, const Macro& macro, std::size_t offset);
// The body token itself (null for a line without tokens).
const BodyToken* bodyTokenAt(const BodyLine& line, const Macro& macro, std::size_t offset);

}  // namespace zelas
