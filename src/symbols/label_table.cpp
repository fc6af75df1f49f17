#include "symbols/label_table.h"

#include <algorithm>
#include <cstring>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "scan/char_class.h"

namespace zelas {

namespace {

bool isLocalName(std::string_view name) {
  return !name.empty() && name.front() == '.';
}

std::uint64_t mix(std::uint64_t h) {
  h ^= h >> 32;
  h *= 0xd6e8feb86659fd93ULL;
  h ^= h >> 32;
  return h;
}

// Eight bytes at a time: label names are short, and this runs for every name in an operand. The
// last bytes are gathered one by one: reading a whole word there could pass the name's storage.
std::uint64_t hashStem(std::uint32_t scopeId, std::string_view stem) {
  std::uint64_t h =
      (static_cast<std::uint64_t>(scopeId) << 32 | stem.size()) * 0x9e3779b97f4a7c15ULL;
  const char* p = stem.data();
  std::size_t n = stem.size();
  for (; n >= 8; p += 8, n -= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    h = mix(h ^ word);
  }
  if (n > 0) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < n; ++i) {
      word |= static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])) << (8 * i);
    }
    h = mix(h ^ word);
  }
  return mix(h);
}

// A name split into its stem and the number it ends in (none: 0).
struct NameParts {
  std::string_view stem;
  std::uint32_t number = 0;
};

// Generated code and macro labels are full of names that end in a number (f12, K7, .l3, spin#40).
// Such a name hashes as its stem plus the number, so the members of a family take neighbouring
// slots, and a program's references to them stay within a few cache lines instead of one line
// per name. At most nine trailing digits count as the number; any before them join the stem.
NameParts splitTrailingNumber(std::string_view name) {
  std::size_t stemLength = name.size();
  std::uint32_t number = 0;
  for (std::uint32_t scale = 1; stemLength > 0 && name.size() - stemLength < 9; scale *= 10) {
    unsigned digit = static_cast<unsigned char>(name[stemLength - 1]) - unsigned{'0'};
    if (digit > 9) break;
    number += digit * scale;
    --stemLength;
  }
  return NameParts{name.substr(0, stemLength), number};
}

// Room a scope's locals of one family take before the next scope's: most scopes have a few.
constexpr std::uint32_t kScopeSpacing = 4;

// The probe stride: odd, so that it visits every slot of the power-of-two table, and taken from
// the hash's upper half (double hashing). A family fills a run of neighbouring slots; a key whose
// home lies in such a run leaves it with its first stride instead of walking to the run's end,
// as linear probing would. The members of one family share a stride, and it needs nothing but
// the hash, so a slot can be placed again without its record.
std::size_t probeStride(std::uint32_t hash) {
  return static_cast<std::size_t>(hash >> 16) << 1 | 1;
}

}  // namespace

std::uint32_t LabelIndex::keyHash(std::uint32_t scopeId, std::string_view name) const {
  NameParts parts = splitTrailingNumber(name);
  if (keying_ == Keying::byScope) {
    // The family's place, moved along by the scope: consecutive scopes, neighbouring slots.
    return static_cast<std::uint32_t>(hashStem(0, parts.stem)) + scopeId * kScopeSpacing +
           parts.number;
  }
  return static_cast<std::uint32_t>(hashStem(scopeId, parts.stem)) + parts.number;
}

Label* LabelIndex::find(LabelRecords& records, std::uint32_t scopeId, std::string_view name) const {
  if (slots_.empty()) return nullptr;
  std::uint32_t hash = keyHash(scopeId, name);
  std::size_t mask = slots_.size() - 1;
  std::size_t stride = probeStride(hash);
  for (std::size_t i = hash & mask;; i = (i + stride) & mask) {
    const Slot& slot = slots_[i];
    if (slot.ref == 0) return nullptr;
    if (slot.hash != hash) continue;
    Label& label = records.at(slot.ref - 1);
    if (label.ownerId == scopeId && sameLabelName(label.name, name)) return &label;
  }
}

void LabelIndex::insert(LabelRecords& records, std::uint32_t scopeId, std::uint32_t place) {
  if ((used_ + 1) * 2 > slots_.size()) grow();
  std::uint32_t hash = keyHash(scopeId, records.at(place).name);
  std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  std::size_t stride = probeStride(hash);
  while (slots_[i].ref != 0) i = (i + stride) & mask;
  slots_[i] = Slot{hash, place + 1};
  ++used_;
}

// The home position of a key is the low bits of its 32-bit hash, so the slots can be placed
// again without the records while the table has at most 2^32 slots.
void LabelIndex::grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.resize(old.empty() ? 64 : old.size() * 2);
  std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.ref == 0) continue;
    std::size_t i = slot.hash & mask;
    std::size_t stride = probeStride(slot.hash);
    while (slots_[i].ref != 0) i = (i + stride) & mask;
    slots_[i] = slot;
  }
}

namespace {

// Creates a record with the fields every new label starts with: the current pc, an address
// label, resolved, unused.
Label& insertLabel(Assembler& as, const Label* scope, std::string_view name, bool forEqu) {
  LabelTable& table = as.labels;
  LabelArena& arena = forEqu ? table.records.constants : table.records.entered;
  // Places are 31 bits: the source would have to hold billions of labels to run out of them.
  std::uint32_t place = static_cast<std::uint32_t>(arena.size());
  if (forEqu) place += LabelRecords::kConstantPlace;
  Label& label = arena.emplace_back();
  label.name = name;
  label.value = as.pc;
  label.scope = scope;
  label.ownerId = scope == nullptr ? 0 : scope->scopeId;
  if (scope == nullptr && isDecimalDigit(name.front())) table.hasDigitNames = true;
  LabelIndex& index = scope == nullptr ? table.globals : table.locals;
  index.insert(table.records, label.ownerId, place);
  return label;
}

Label* findGlobal(LabelTable& table, std::string_view name) {
  // Every number in an operand is first looked up as a label; while no label is named like a
  // number, that answer is known without a probe into the index.
  if (isDecimalDigit(name.front()) && !table.hasDigitNames) return nullptr;
  return table.globals.find(table.records, 0, name);
}

Label* findInScope(LabelTable& table, const Label* scope, std::string_view name) {
  return scope == nullptr ? nullptr : table.locals.find(table.records, scope->scopeId, name);
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
  label.scopeId = table.nextScopeId++;
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

}  // namespace

Label* newLabel(Assembler& as, std::string_view name, bool forEqu) {
  if (name.empty()) return nullptr;
  return isLocalName(name) ? newLocalLabel(as, name, forEqu) : newGlobalLabel(as, name, forEqu);
}

Label* findLabel(Assembler& as, std::string_view name) {
  if (name.empty()) return nullptr;
  LabelTable& table = as.labels;
  return isLocalName(name) ? findInScope(table, table.localScope, name) : findGlobal(table, name);
}

namespace {

// The record that findLabel would give, when it is the next one pass 1 entered; else null.
Label* nextDefinedLabel(LabelTable& table, std::string_view name) {
  if (table.nextDefined >= table.records.entered.size()) return nullptr;
  Label& next = table.records.entered[table.nextDefined];
  // A global record has no scope and a local one always has, so an empty local scope never
  // matches.
  const Label* scope = isLocalName(name) ? table.localScope : nullptr;
  if (next.scope != scope || next.name != name) return nullptr;
  ++table.nextDefined;
  // Code refers to the labels a little ahead of it (forward jumps, a loop's exit), whose records
  // pass 1 touched long ago: the record some way ahead is asked for now, so that it is at hand
  // by the time pass 2 gets near it.
  constexpr std::size_t kAhead = 32;
  if (table.nextDefined + kAhead < table.records.entered.size()) {
    __builtin_prefetch(&table.records.entered[table.nextDefined + kAhead]);
  }
  return &next;
}

}  // namespace

Label* defineLabel(Assembler& as, std::string_view name, bool forEqu) {
  if (name.empty()) return nullptr;
  if (as.pass < 2) return newLabel(as, name, forEqu);
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
  as.labels.nextDefined = 0;
}

std::vector<const Label*> sortedGlobals(const LabelTable& table) {
  // Sorting keys of the first eight bytes, most significant first, decide most comparisons
  // without touching the records, which lie all over the arena.
  struct Key {
    std::uint64_t prefix;
    const Label* label;
  };
  std::vector<Key> keys;
  table.records.forEach([&keys](const Label& label) {
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
