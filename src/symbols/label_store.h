// Where the label records live and how they are found again, laid out so that a lookup costs one
// or two cache lines whatever the size of the program. The records lie in arenas in entry order,
// equ labels apart, and are found through two open-addressing hash indexes keyed by scope and
// name, one for the globals and one for the locals. The label table (label_table.h) says what a
// label means; this file only says where it is kept.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "symbols/label.h"

namespace zelas {

// Label records in entry order, in blocks that never move, so that pointers to them stay valid.
// A block holds hundreds of records, which keeps the block table small enough to stay in the
// cache: reaching a record by its position costs the record's own cache line only.
class LabelArena {
 public:
  Label& emplace_back();
  Label& operator[](std::size_t i) { return blocks_[i >> kBlockShift][i & kBlockMask].label; }
  const Label& operator[](std::size_t i) const {
    return blocks_[i >> kBlockShift][i & kBlockMask].label;
  }
  std::size_t size() const { return size_; }

 private:
  // One cache line per record, so that finding a record costs one line.
  struct alignas(64) Cell {
    Label label;
  };
  static constexpr std::size_t kBlockShift = 8;
  static constexpr std::size_t kBlockSize = std::size_t{1} << kBlockShift;
  static constexpr std::size_t kBlockMask = kBlockSize - 1;
  std::vector<std::unique_ptr<Cell[]>> blocks_;
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
};

// Open addressing with double hashing over a power-of-two array kept at most half full. A slot is
// eight bytes (the key's 32-bit hash, which also gives its home position and probe stride, and
// the record's place in the arena), so that the whole index stays small enough for the cache; a
// probe touches the record only when the 32 bits of hash agree.
//
// How keys are placed: a family of names differing only in a trailing number (f1, f2, ...) takes
// neighbouring slots. Local labels are also placed by their scope, the scopes in the order pass 1
// opened them, so that the scope after this one lies next to it: both passes walk through the
// scopes in that order.
class LabelIndex {
 public:
  Label* find(LabelRecords& records, const Label* scope, std::string_view name) const;
  // Files the record at place under its scope.
  void insert(LabelRecords& records, std::uint32_t place);

 private:
  struct Slot {
    std::uint32_t hash = 0;
    std::uint32_t ref = 0;  // the record's place plus one; 0 for an empty slot
  };
  void grow();

  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

// The label records of one program: entered in pass 1, found again in both passes.
class LabelStore {
 public:
  // A new record named name in scope (null: a global label), after all records entered so far.
  // constant: the record is for an equ statement's label, kept with the other constants.
  Label& add(const Label* scope, std::string_view name, bool constant);
  // Gives a scope (a global label, or a stand-in for one) the next scope number; its locals are
  // filed under it.
  void openScope(Label& scope) { scope.scopeNumber = nextScopeNumber_++; }
  // The record named name in scope (null: a global label), or null.
  Label* find(const Label* scope, std::string_view name);
  // Pass 2 meets the label fields in the order pass 1 entered them: the record entered after the
  // last one taken this way, when it is named name in scope; else null. A hit needs no hashing
  // and no probe into an index larger than the cache.
  Label* takeNextEntered(const Label* scope, std::string_view name);
  // Starts takeNextEntered again from the first record (pass 2 begins).
  void rewindEntryOrder() { nextEntered_ = 0; }
  // Calls f on every record: the entered ones in entry order, then the constants.
  template <typename F>
  void forEach(F f) const {
    for (std::size_t i = 0; i < records_.entered.size(); ++i) f(records_.entered[i]);
    for (std::size_t i = 0; i < records_.constants.size(); ++i) f(records_.constants[i]);
  }

 private:
  LabelRecords records_;
  LabelIndex globals_;
  LabelIndex locals_;
  std::uint32_t nextScopeNumber_ = 1;
  std::size_t nextEntered_ = 0;
};

}  // namespace zelas
