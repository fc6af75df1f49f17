// Two-letter index over a keyword table. matchKeyword compares a keyword from its first letter
// on, ignoring case, so at a given cursor only the entries whose first two letters equal the
// text's (folded) can match: trying just those, in table order, finds the same entry as walking
// the whole table. Characters are bucketed by their low five bits, which keep a letter and its
// other case together; other characters may share a bucket, which only adds candidates that
// matchKeyword then turns down.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace zelas {

// For each bucket of the first and of the second character, bit i is set when keyword i of the
// table may begin with them.
using KeywordIndex = std::array<std::array<std::uint64_t, 32>, 32>;

constexpr std::size_t keywordBucket(char c) {
  return static_cast<unsigned char>(c) & 31u;
}

// Builds the index of table, whose keywords (lower case, two characters or more) are reached
// through the member keyword.
template <typename Entry, std::size_t N>
consteval KeywordIndex makeKeywordIndex(const Entry (&table)[N], const char* Entry::*keyword) {
  static_assert(N <= 64, "one bit per table entry");
  KeywordIndex index{};
  for (std::size_t i = 0; i < N; ++i) {
    const char* k = table[i].*keyword;
    if (k[0] == '\0' || k[1] == '\0') throw "keywords have two characters or more";
    index[keywordBucket(k[0])][keywordBucket(k[1])] |= std::uint64_t{1} << i;
  }
  return index;
}

// The entries worth trying at the text p (a terminated line).
inline std::uint64_t keywordCandidates(const KeywordIndex& index, const char* p) {
  if (p[0] == '\0') return 0;
  return index[keywordBucket(p[0])][keywordBucket(p[1])];
}

// Index of the first entry in candidates, which is not empty; removes it from candidates.
inline std::size_t takeFirstCandidate(std::uint64_t& candidates) {
  std::size_t i = static_cast<std::size_t>(std::countr_zero(candidates));
  candidates &= candidates - 1;
  return i;
}

}  // namespace zelas
