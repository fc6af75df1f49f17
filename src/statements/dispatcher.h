// The statement dispatcher: assembles the current line by offering it, in a fixed order, to the
// conditional directives, the macro definition, the defined macros, the directives and finally
// the instruction table.
#pragma once

#include <string_view>
#include <vector>

namespace zelas {

struct Assembler;

void dispatchStatement(Assembler& as);

// The statement words the dispatcher knows before the instructions: the conditionals, "macro"
// and "endm", and the directives, in the order they are tried.
std::vector<std::string_view> statementKeywords();

}  // namespace zelas
