// The macro directive: records a macro's name, parameters and body (pass 1) and lists it (pass 2).
#pragma once

namespace zelas {

struct Assembler;

// macro <name> [<param>{[,]<param>}] ... endm
void defineMacro(Assembler& as);
// True when name equals a reserved mnemonic or directive (letter case ignored).
bool isReservedWord(const char* name);

}  // namespace zelas
