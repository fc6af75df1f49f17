// The label table: global labels, each with its own scope of local labels (names beginning with
// "."). Pass 1 enters labels; pass 2 only finds them again. The records live in arenas in entry
// order, equ labels apart, and are found through two open-addressing hash indexes keyed by
// (scope, name), one for the globals and one for the locals, so a lookup costs one or two cache
// lines whatever the size of the program. Name order, which only the symbol table and the
// symbols file need, is produced once, by sorting, when they are written.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/value.h"

namespace zelas {

struct Assembler;

// Label names are short, and every operand that names a label compares one: names of up to 16
// bytes are compared as two words, which may overlap, instead of by a library call.
inline bool sameLabelName(std::string_view a, std::string_view b) {
  std::size_t n = a.size();
  if (n != b.size()) return false;
  auto word = [](const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
  };
  auto half = [](const char* p) {
    std::uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
  };
  const char* x = a.data();
  const char* y = b.data();
  if (n >= 8 && n <= 16) return word(x) == word(y) && word(x + n - 8) == word(y + n - 8);
  if (n >= 4 && n < 8) return half(x) == half(y) && half(x + n - 4) == half(y + n - 4);
  if (n < 4) {
    for (std::size_t i = 0; i < n; ++i) {
      if (x[i] != y[i]) return false;
    }
    return true;
  }
  return std::memcmp(x, y, n) == 0;
}

// One cache line each, so that finding a record costs one line.
struct alignas(64) Label {
  std::string name;
  Value value = 0;
  char kind = ' ';               // ' ' address label, '=' set by equ
  bool resolved = true;          // cleared while an equ/org value is unknown
  Value uses = 0;                // pass-2 evaluations as an operand
  const Label* scope = nullptr;  // locals: the global (or orphan scope) they belong to
  std::uint32_t ownerId = 0;     // the scope key this record is filed under; 0 for globals
  std::uint32_t scopeId = 0;     // globals: the key their locals are filed under
  bool duplicate = false;        // pass 1 met a second definition (reported there)
};

// Label records in entry order, in blocks that never move, so that pointers to them stay valid.
// A block holds hundreds of records, which keeps the block table small enough to stay in the
// cache: reaching a record by its position costs the record's own cache line only.
class LabelArena {
 public:
  Label& emplace_back() {
    if ((size_ & kBlockMask) == 0) blocks_.push_back(std::make_unique<Label[]>(kBlockSize));
    return (*this)[size_++];
  }
  Label& operator[](std::size_t i) { return blocks_[i >> kBlockShift][i & kBlockMask]; }
  const Label& operator[](std::size_t i) const { return blocks_[i >> kBlockShift][i & kBlockMask]; }
  std::size_t size() const { return size_; }

 private:
  static constexpr std::size_t kBlockShift = 8;
  static constexpr std::size_t kBlockSize = std::size_t{1} << kBlockShift;
  static constexpr std::size_t kBlockMask = kBlockSize - 1;
  std::vector<std::unique_ptr<Label[]>> blocks_;
  std::size_t size_ = 0;
};

// Where the records live: the labels of equ statements apart from all others. A program refers
// to its constants from everywhere in its code; kept together they take a few cache lines and
// pages, where spread among the other labels each reference to one costs a miss of its own.
// Which arena a record is in changes nothing but where it lies.
struct LabelRecords {
  // A record's place: its position in entered, or in constants with kConstantPlace added.
  static constexpr std::uint32_t kConstantPlace = 0x80000000u;

  LabelArena entered;    // every other label, in entry order
  LabelArena constants;  // equ labels, in entry order among themselves

  Label& at(std::uint32_t place) {
    return place >= kConstantPlace ? constants[place - kConstantPlace] : entered[place];
  }
  std::size_t size() const { return entered.size() + constants.size(); }
  // Calls f on every record: the entered ones in entry order, then the constants.
  template <typename F>
  void forEach(F f) const {
    for (std::size_t i = 0; i < entered.size(); ++i) f(entered[i]);
    for (std::size_t i = 0; i < constants.size(); ++i) f(constants[i]);
  }
};

// Open addressing with double hashing over a power-of-two array kept at most half full. A slot is
// eight bytes (the key's 32-bit hash, which also gives its home position and probe stride, and
// the record's place in the arena), so that the whole index stays small enough for the cache; a
// probe touches the record only when the 32 bits of hash agree.
class LabelIndex {
 public:
  // How keys are placed. A family of names differing only in a trailing number (f1, f2, ...)
  // takes neighbouring slots. Local labels are also placed by their scope, the scopes in the
  // order pass 1 opened them, so that the scope after this one lies next to it: both passes
  // walk through the scopes in that order.
  enum class Keying { byName, byScope };
  explicit LabelIndex(Keying keying) : keying_(keying) {}

  Label* find(LabelRecords& records, std::uint32_t scopeId, std::string_view name) const;
  // Files the record at place under scopeId.
  void insert(LabelRecords& records, std::uint32_t scopeId, std::uint32_t place);

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t ref = 0;  // the record's place plus one; 0 for an empty slot
  };
  void grow();
  std::uint32_t keyHash(std::uint32_t scopeId, std::string_view name) const;

  Keying keying_;
  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

struct LabelTable {
  LabelRecords records;
  LabelIndex globals{LabelIndex::Keying::byName};
  LabelIndex locals{LabelIndex::Keying::byScope};
  bool globalEntered = false;         // pass 1 has entered a global label
  const Label* localScope = nullptr;  // where "." names are entered and found; null = empty scope
  // Stands in for the scope of the locals entered before any global label (pass 1).
  Label orphanScope;
  std::uint32_t nextScopeId = 2;  // 0 files the globals, 1 the orphan locals
  // Pass 2 meets the label fields in the order pass 1 entered them: the entered record after the
  // last one found this way is tried before the index (a hit needs no hashing and no probe into a
  // table larger than the cache).
  std::size_t nextDefined = 0;
  bool hasDigitNames = false;  // a global label begins with a decimal digit

  LabelTable() { orphanScope.scopeId = 1; }
  LabelTable(const LabelTable&) = delete;
  LabelTable& operator=(const LabelTable&) = delete;
};

// The label of a statement's label field; null for an empty name or (pass 2) a name not found.
// forEqu: the statement looks like an equ, whose label pass 1 keeps with the constants.
Label* defineLabel(Assembler& as, std::string_view name, bool forEqu = false);
// Pass 1: enter name, or report the duplicate and return the existing record.
Label* newLabel(Assembler& as, std::string_view name, bool forEqu = false);
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
