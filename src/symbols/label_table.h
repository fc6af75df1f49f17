// The label table: global labels in byte-wise name order, each with its own ordered scope of local
// labels (names beginning with "."). Pass 1 enters labels; pass 2 only finds them again.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/value.h"

namespace zelas {

struct Assembler;
struct Label;

// Ordered by unsigned byte comparison (std::string's ordering), so the table is always printable
// in order. Global names are found through LabelTable::globalIndex; a local scope is small.
using LabelMap = std::map<std::string, Label, std::less<>>;

struct Label {
  std::string name;
  Value value = 0;
  char kind = ' ';                   // ' ' address label, '=' set by equ
  bool resolved = true;              // cleared while an equ/org value is unknown
  Value uses = 0;                    // pass-2 evaluations as an operand
  std::unique_ptr<LabelMap> locals;  // global labels only: their local labels
};

struct LabelTable {
  LabelMap globals;  // labelTable, in name order for the symbol table
  // Hash index over globals (keys view the names held in the map nodes, which never move), so a
  // lookup costs the same with a hundred labels as with a hundred thousand.
  std::unordered_map<std::string_view, Label*> globalIndex;
  Label* currentGlobal = nullptr;  // the global label most recently entered in pass 1
  LabelMap* localScope = nullptr;  // where "." names are entered and found; null = empty scope
  LabelMap orphanLocals;           // locals entered before any global label (pass 1)
};

// The label of a statement's label field; null for an empty name or (pass 2) a name not found.
Label* defineLabel(Assembler& as, std::string_view name);
// Pass 1: enter name, or report the duplicate and return the existing record.
Label* newLabel(Assembler& as, std::string_view name);
// Looks name up in the local scope ("." names) or the global table; never creates or reports.
Label* findLabel(Assembler& as, std::string_view name);
// Called between the passes: pass 2 starts with an empty local scope.
void resetLocalScope(Assembler& as);

}  // namespace zelas
