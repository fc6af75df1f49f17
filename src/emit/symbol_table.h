// The symbolic reference table at the end of the listing.
#pragma once

#include <string>

namespace zelas {

struct Assembler;
struct LabelTable;

// The table's text: its heading and a row per global label, in name order. It only reads the
// labels, so it may be formatted while other output is written.
std::string symbolTableText(LabelTable& labels);
// Appends the table to the listing.
void writeSymbolTable(Assembler& as);

}  // namespace zelas
