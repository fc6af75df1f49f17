// The label table: global labels, each with its own scope of local labels (names beginning with
// "."). Pass 1 enters labels; pass 2 only finds them again. Where the records are kept and how
// they are found fast is the label store's business (label_store.h). Name order, which only the
// symbol table and the symbols file need, is produced once, by sorting, when they are written.
#pragma once

#include <string_view>
#include <vector>

#include "core/value.h"
#include "symbols/label.h"
#include "symbols/label_store.h"

namespace zelas {

struct Assembler;

struct LabelTable {
  LabelStore store;
  bool globalEntered = false;         // pass 1 has entered a global label
  const Label* localScope = nullptr;  // where "." names are entered and found; null = empty scope
  // Stands in for the scope of the locals entered before any global label (pass 1).
  Label orphanScope;
  bool hasDigitNames = false;  // a global label begins with a decimal digit

  LabelTable() { store.openScope(orphanScope); }
  LabelTable(const LabelTable&) = delete;
  LabelTable& operator=(const LabelTable&) = delete;
};

// The label of a statement's label field; null for an empty name or (pass 2) a name not found.
// The scanner stands after the field's colon, at the statement word.
Label* defineLabel(Assembler& as, std::string_view name);
// Pass 1: enter name, or report the duplicate and return the existing record.
Label* newLabel(Assembler& as, std::string_view name);
// Looks name up in the local scope ("." names) or the global table; never creates or reports.
Label* findLabel(Assembler& as, std::string_view name);
// A label field of pass 2 and the address pass 1 gave its label.
struct LabelPlacement {
  Label* label = nullptr;  // null: nothing to check (pass 1, equ labels, duplicates)
  Value firstPassAddress = 0;
};
// Pass 2: gives the address label of the current line the pc, as pass 1 did, remembering what
// pass 1 gave it; the statement may still move it (a filler in front of an instruction, org).
LabelPlacement placeLabel(Assembler& as, Label* label);
// After the statement: an error when the label ended at another address than in pass 1, since
// every reference assembled before it (all forward ones) used the pass-1 address.
void checkLabelPlacement(Assembler& as, const LabelPlacement& placement);
// Called between the passes: pass 2 starts with an empty local scope.
void resetLocalScope(Assembler& as);
// The global labels in byte-wise name order (unsigned bytes, as std::string compares them).
std::vector<const Label*> sortedGlobals(const LabelTable& table);

}  // namespace zelas
