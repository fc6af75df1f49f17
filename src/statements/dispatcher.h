// The statement dispatcher: assembles the current line by offering it, in a fixed order, to the
// conditional directives, the macro definition, the defined macros, the directives and finally
// the instruction table.
#pragma once

namespace zelas {

struct Assembler;

void dispatchStatement(Assembler& as);

}  // namespace zelas
