// The symbolic reference table at the end of the listing.
#pragma once

namespace zelas {

struct Assembler;

void writeSymbolTable(Assembler& as);

}  // namespace zelas
