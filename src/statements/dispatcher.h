// The statement dispatcher: assembles the current line by offering it, in a fixed order, to the
// conditional directives, the macro definition, the defined macros, the directives and finally
// the instruction table.
//
// Pass 1 takes a shorter road to the same addresses: an instruction whose forms all have one size
// is sized without being encoded (target/instructions.cpp). That is safe because pass 1 keeps
// nothing of an instruction but the address after it and reports nothing, and the encoders of
// such a mnemonic emit that many bytes whatever the operands, malformed ones included, so pass 2
// reaches every label at the address pass 1 gave it.
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
