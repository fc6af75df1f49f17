// The macro directive: records a macro's name, parameters and body (pass 1) and lists it (pass 2).
#pragma once

#include "macro/macro.h"

namespace zelas {

struct Assembler;

// macro <name> [<param>{[,]<param>}] ... endm
void defineMacro(Assembler& as);
// True when name equals a reserved mnemonic or directive (letter case ignored).
bool isReservedWord(const char* name);
// Records the current line (cursor at its start) into macro; true when the line is endm.
bool recordBodyLine(Assembler& as, Macro& macro);
// Kind of token read just before the cursor at position (1 = statement word); consumes the
// colon of a label definition.
TokenKind classifyToken(Assembler& as, const char* token, int position);
// Completes the forward local-label references of macro (when given), then reads lines up to
// endm, listing them as address lines when list is set.
void skipMacroBody(Assembler& as, bool list, Macro* macro);

}  // namespace zelas
