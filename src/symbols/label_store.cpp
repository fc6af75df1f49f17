#include "symbols/label_store.h"

#include <cstring>

namespace zelas {

namespace {

std::uint64_t mix(std::uint64_t h) {
  h ^= h >> 32;
  h *= 0xd6e8feb86659fd93ULL;
  h ^= h >> 32;
  return h;
}

// Eight bytes at a time, since this runs for every name in an operand: on sources with long
// generated names a byte-at-a-time loop costs a tenth more instructions for the whole run, and
// the library's string hash (an out-of-line call) a few percent on short ones. The last bytes
// are gathered one by one: reading a whole word there could pass the name's storage.
std::uint64_t hashStem(std::string_view stem) {
  std::uint64_t h = static_cast<std::uint64_t>(stem.size()) * 0x9e3779b97f4a7c15ULL;
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

// The family's place, moved along by the scope: consecutive scopes, neighbouring slots. Globals
// have no scope and are placed by their family alone.
std::uint32_t keyHash(const Label* scope, std::string_view name) {
  NameParts parts = splitTrailingNumber(name);
  std::uint32_t scopeOffset = scope == nullptr ? 0 : scope->scopeNumber * kScopeSpacing;
  return static_cast<std::uint32_t>(hashStem(parts.stem)) + scopeOffset + parts.number;
}

// The probe stride: odd, so that it visits every slot of the power-of-two table, and taken from
// the hash's upper half (double hashing). A family fills a run of neighbouring slots; a key whose
// home lies in such a run leaves it with its first stride instead of walking to the run's end,
// as linear probing would. The members of one family share a stride, and it needs nothing but
// the hash, so a slot can be placed again without its record.
std::size_t probeStride(std::uint32_t hash) {
  return static_cast<std::size_t>(hash >> 16) << 1 | 1;
}

}  // namespace

Label& LabelArena::emplace_back() {
  if ((size_ & kBlockMask) == 0) blocks_.push_back(std::make_unique<Cell[]>(kBlockSize));
  return (*this)[size_++];
}

Label* LabelIndex::find(LabelRecords& records, const Label* scope, std::string_view name) const {
  if (slots_.empty()) return nullptr;
  std::uint32_t hash = keyHash(scope, name);
  std::size_t mask = slots_.size() - 1;
  std::size_t stride = probeStride(hash);
  for (std::size_t i = hash & mask;; i = (i + stride) & mask) {
    const Slot& slot = slots_[i];
    if (slot.ref == 0) return nullptr;
    if (slot.hash != hash) continue;
    Label& label = records.at(slot.ref - 1);
    if (label.scope == scope && label.name == name) return &label;
  }
}

void LabelIndex::insert(LabelRecords& records, std::uint32_t place) {
  if ((used_ + 1) * 2 > slots_.size()) grow();
  const Label& label = records.at(place);
  std::uint32_t hash = keyHash(label.scope, label.name);
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

Label& LabelStore::add(const Label* scope, std::string_view name, bool constant) {
  LabelArena& arena = constant ? records_.constants : records_.entered;
  // Places are 31 bits: the source would have to hold billions of labels to run out of them.
  std::uint32_t place = static_cast<std::uint32_t>(arena.size());
  if (constant) place += LabelRecords::kConstantPlace;
  Label& label = arena.emplace_back();
  label.name = name;
  label.scope = scope;
  (scope == nullptr ? globals_ : locals_).insert(records_, place);
  return label;
}

Label* LabelStore::find(const Label* scope, std::string_view name) {
  return (scope == nullptr ? globals_ : locals_).find(records_, scope, name);
}

Label* LabelStore::takeNextEntered(const Label* scope, std::string_view name) {
  if (nextEntered_ >= records_.entered.size()) return nullptr;
  Label& next = records_.entered[nextEntered_];
  if (next.scope != scope || next.name != name) return nullptr;
  ++nextEntered_;
  return &next;
}

}  // namespace zelas
