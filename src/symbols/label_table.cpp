#include "symbols/label_table.h"

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"

namespace zelas {

namespace {

bool isLocalName(std::string_view name) {
  return !name.empty() && name.front() == '.';
}

Label* findIn(LabelMap* map, std::string_view name) {
  if (map == nullptr) return nullptr;
  auto it = map->find(name);
  return it == map->end() ? nullptr : &it->second;
}

// Creates a record with the fields every new label starts with: the current pc, an address
// label, resolved, unused.
Label& insertLabel(Assembler& as, LabelMap& map, std::string_view name) {
  auto [it, inserted] = map.try_emplace(std::string(name));
  Label& label = it->second;
  label.name = it->first;
  label.value = as.pc;
  return label;
}

Label* findGlobal(LabelTable& table, std::string_view name) {
  auto it = table.globalIndex.find(name);
  return it == table.globalIndex.end() ? nullptr : it->second;
}

Label* newGlobalLabel(Assembler& as, std::string_view name) {
  LabelTable& table = as.labels;
  if (Label* existing = findGlobal(table, name)) {
    {
      ForcedReport forced(as);
      reportWarning(as, msg::labelAlreadyDefined, existing->name.c_str());
    }
    // The locals that follow a duplicate join the first record's scope. Pass 2 finds that same
    // record for both statements and follows its scope, so both passes see one list, and a
    // local repeated under the two statements is reported as a duplicate local.
    table.localScope = existing->locals.get();
    return existing;
  }
  Label& label = insertLabel(as, table.globals, name);
  label.locals = std::make_unique<LabelMap>();
  table.globalIndex.emplace(std::string_view(label.name), &label);
  table.currentGlobal = &label;
  table.localScope = label.locals.get();
  return &label;
}

Label* newLocalLabel(Assembler& as, std::string_view name) {
  LabelTable& table = as.labels;
  if (table.currentGlobal == nullptr) {
    ForcedReport forced(as);
    reportError(as, msg::localOutsideScope);
  }
  // Before the first global label the locals go into a list of their own, dropped from the
  // scope when the first global label arrives; pass 2 starts with an empty scope and never
  // finds them.
  if (table.localScope == nullptr) table.localScope = &table.orphanLocals;
  if (Label* existing = findIn(table.localScope, name)) {
    ForcedReport forced(as);
    reportWarning(as, msg::localAlreadyDefined, existing->name.c_str());
    return existing;
  }
  return &insertLabel(as, *table.localScope, name);
}

}  // namespace

Label* newLabel(Assembler& as, std::string_view name) {
  if (name.empty()) return nullptr;
  return isLocalName(name) ? newLocalLabel(as, name) : newGlobalLabel(as, name);
}

Label* findLabel(Assembler& as, std::string_view name) {
  if (name.empty()) return nullptr;
  return isLocalName(name) ? findIn(as.labels.localScope, name) : findGlobal(as.labels, name);
}

Label* defineLabel(Assembler& as, std::string_view name) {
  if (name.empty()) return nullptr;
  if (as.pass < 2) return newLabel(as, name);
  Label* label = findLabel(as, name);
  if (!isLocalName(name)) {
    // A global label that pass 1 never entered (the passes took different paths through a
    // conditional) leaves the statement without a line label and empties the local scope, so
    // the locals after it are not bound to the previous global label's list by mistake.
    as.labels.localScope = label != nullptr ? label->locals.get() : nullptr;
  }
  return label;
}

void resetLocalScope(Assembler& as) {
  as.labels.localScope = nullptr;
}

}  // namespace zelas
