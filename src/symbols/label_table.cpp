#include "symbols/label_table.h"

#include <algorithm>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "scan/keyword_table.h"

namespace zelas {

namespace {

bool isLocalName(std::string_view name) {
  return !name.empty() && name.front() == '.';
}

// Creates a record with the fields every new label starts with: the current pc, an address
// label, resolved, unused.
Label& insertLabel(Assembler& as, const Label* scope, std::string_view name, bool forEqu) {
  LabelTable& table = as.labels;
  Label& label = table.store.add(scope, name, forEqu);
  label.value = as.pc;
  if (scope == nullptr && isDecimalDigit(name.front())) table.hasDigitNames = true;
  return label;
}

Label* findGlobal(LabelTable& table, std::string_view name) {
  // Every number in an operand is first looked up as a label; while no label is named like a
  // number, that answer is known without a probe into the index.
  if (isDecimalDigit(name.front()) && !table.hasDigitNames) return nullptr;
  return table.store.find(nullptr, name);
}

Label* findInScope(LabelTable& table, const Label* scope, std::string_view name) {
  return scope == nullptr ? nullptr : table.store.find(scope, name);
}

Label* newGlobalLabel(Assembler& as, std::string_view name, bool forEqu) {
  LabelTable& table = as.labels;
  if (Label* existing = findGlobal(table, name)) {
    {
      ForcedReport forced(as);
      reportWarning(as, msg::labelAlreadyDefined, existing->name.c_str());
    }
    existing->duplicate = true;
    // The locals that follow a duplicate join the first record's scope. Pass 2 finds that same
    // record for both statements and follows its scope, so both passes see one list, and a
    // local repeated under the two statements is reported as a duplicate local.
    table.localScope = existing;
    return existing;
  }
  Label& label = insertLabel(as, nullptr, name, forEqu);
  table.store.openScope(label);
  table.globalEntered = true;
  table.localScope = &label;
  return &label;
}

Label* newLocalLabel(Assembler& as, std::string_view name, bool forEqu) {
  LabelTable& table = as.labels;
  if (!table.globalEntered) {
    ForcedReport forced(as);
    reportError(as, msg::localOutsideScope);
  }
  // Before the first global label the locals go into a scope of their own, dropped when the
  // first global label arrives; pass 2 starts with an empty scope and never finds them.
  if (table.localScope == nullptr) table.localScope = &table.orphanScope;
  if (Label* existing = findInScope(table, table.localScope, name)) {
    ForcedReport forced(as);
    reportWarning(as, msg::localAlreadyDefined, existing->name.c_str());
    existing->duplicate = true;
    return existing;
  }
  return &insertLabel(as, table.localScope, name, forEqu);
}

Label* enterLabel(Assembler& as, std::string_view name, bool forEqu) {
  if (name.empty()) return nullptr;
  return isLocalName(name) ? newLocalLabel(as, name, forEqu) : newGlobalLabel(as, name, forEqu);
}

// The statement word seems to be equ, whose label the store keeps with the constants. Only
// where the record lies depends on the answer, so a macro of that name or an "equx" may take it
// too.
bool statementLooksLikeEqu(const Assembler& as) {
  return afterKeyword(as.scanPos, "equ") != nullptr;
}

}  // namespace

Label* newLabel(Assembler& as, std::string_view name) {
  return enterLabel(as, name, false);
}

Label* findLabel(Assembler& as, std::string_view name) {
  if (name.empty()) return nullptr;
  LabelTable& table = as.labels;
  return isLocalName(name) ? findInScope(table, table.localScope, name) : findGlobal(table, name);
}

namespace {

// The record that findLabel would give, when it is the next one pass 1 entered; else null.
Label* nextDefinedLabel(LabelTable& table, std::string_view name) {
  // A global record has no scope and a local one always has, so an empty local scope never
  // matches.
  const Label* scope = isLocalName(name) ? table.localScope : nullptr;
  return table.store.takeNextEntered(scope, name);
}

}  // namespace

Label* defineLabel(Assembler& as, std::string_view name) {
  if (name.empty()) return nullptr;
  if (as.pass < 2) return enterLabel(as, name, statementLooksLikeEqu(as));
  Label* label = nextDefinedLabel(as.labels, name);
  if (label == nullptr) label = findLabel(as, name);
  if (!isLocalName(name)) {
    // A global label that pass 1 never entered (the passes took different paths through a
    // conditional) leaves the statement without a line label and empties the local scope, so
    // the locals after it are not bound to the previous global label's list by mistake.
    as.labels.localScope = label;
  }
  return label;
}

LabelPlacement placeLabel(Assembler& as, Label* label) {
  // A duplicate's one record holds the address of its last definition, which every other
  // definition differs from: it was reported in pass 1 already.
  if (as.pass != 2 || label == nullptr || label->kind != ' ' || label->duplicate) return {};
  LabelPlacement placement{label, label->value};
  label->value = as.pc;
  // A statement only moves its label forward (past fillers, or by org), so a label already
  // beyond its pass-1 address is reported now: its statement may not get to the end, as code
  // beyond the image that pass 1 measured stops the run.
  if (as.pc > placement.firstPassAddress) {
    checkLabelPlacement(as, placement);
    return {};
  }
  return placement;
}

void checkLabelPlacement(Assembler& as, const LabelPlacement& placement) {
  const Label* label = placement.label;
  if (label == nullptr || label->value == placement.firstPassAddress) return;
  std::string name = label->scope == nullptr ? label->name : label->scope->name + label->name;
  reportError(as, msg::labelMoved, name.c_str(), toUnsigned(placement.firstPassAddress),
              toUnsigned(label->value));
}

void resetLocalScope(Assembler& as) {
  as.labels.localScope = nullptr;
  as.labels.store.rewindEntryOrder();
}

std::vector<const Label*> sortedGlobals(const LabelTable& table) {
  // Sorting keys of the first eight bytes, most significant first, decide most comparisons
  // without touching the records, which lie all over the arena: sorting the records by name alone
  // costs a program of 100,000 labels a fifth more instructions and twice the cache misses.
  struct Key {
    std::uint64_t prefix;
    const Label* label;
  };
  std::vector<Key> keys;
  table.store.forEach([&keys](const Label& label) {
    if (label.scope != nullptr) return;
    std::uint64_t prefix = 0;
    std::size_t n = std::min<std::size_t>(label.name.size(), 8);
    for (std::size_t i = 0; i < n; ++i) {
      prefix |= static_cast<std::uint64_t>(static_cast<unsigned char>(label.name[i]))
                << (56 - 8 * i);
    }
    keys.push_back(Key{prefix, &label});
  });
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    return a.label->name < b.label->name;
  });
  std::vector<const Label*> sorted;
  sorted.reserve(keys.size());
  for (const Key& key : keys) sorted.push_back(key.label);
  return sorted;
}

}  // namespace zelas
