// The instruction table: recognises a mnemonic at the cursor and runs its encoder.
#pragma once

namespace zelas {

struct Assembler;

// True when a mnemonic matched (the statement is then fully encoded); false with the cursor
// unchanged otherwise.
bool assembleInstruction(Assembler& as);

}  // namespace zelas
