// First-letter index over a keyword table. matchKeyword compares a keyword from its first letter
// on, so at a given character only the entries whose keyword begins with that (folded) letter
// can match: trying just those, in table order, finds the same entry as walking the whole table.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "scan/char_class.h"

namespace zelas {

// For each byte, bit i is set when keyword i of the table begins with that byte.
using KeywordIndex = std::array<std::uint64_t, 256>;

// Builds the index of table, whose keywords (lower case) are reached through the member keyword.
template <typename Entry, std::size_t N>
consteval KeywordIndex makeKeywordIndex(const Entry (&table)[N], const char* const Entry::*keyword) {
  static_assert(N <= 64, "one bit per table entry");
  KeywordIndex index{};
  for (std::size_t i = 0; i < N; ++i) {
    index[static_cast<unsigned char>((table[i].*keyword)[0])] |= std::uint64_t{1} << i;
  }
  return index;
}

// The entries worth trying at the character c.
inline std::uint64_t keywordCandidates(const KeywordIndex& index, char c) {
  return index[static_cast<unsigned char>(foldCase(c))];
}

// Index of the first entry in candidates, which is not empty; removes it from candidates.
inline std::size_t takeFirstCandidate(std::uint64_t& candidates) {
  std::size_t i = static_cast<std::size_t>(std::countr_zero(candidates));
  candidates &= candidates - 1;
  return i;
}

}  // namespace zelas
