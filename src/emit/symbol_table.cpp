#include "emit/symbol_table.h"

#include <string>

#include "core/assembler.h"
#include "emit/listing.h"

namespace zelas {

namespace {

void writeSymbolRow(Assembler& as, const std::string& name, const Label& label) {
  listPrintf(as, "\n%4x %c %-20s   %d", toUnsigned(label.value), label.kind, name.c_str(),
             label.uses);
}

}  // namespace

void writeSymbolTable(Assembler& as) {
  listPrintf(as, "\n ************ SYMBOLIC REFERENCE TABLE ************\n");
  listPrintf(as, "\nValue  Label                # Uses ");
  listPrintf(as, "\n-----  -------------------- ------");
  // The global table is kept in name order, so the rows need no sorting; local labels live in
  // their global's own scope and are never listed.
  for (const auto& [name, label] : as.labels.globals) {
    if (!name.empty() && name.front() != '.') writeSymbolRow(as, name, label);
  }
  listPrintf(as, "\n");
}

}  // namespace zelas
