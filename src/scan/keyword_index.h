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

// A keyword of up to eight letters as one little-endian word, so that matchKeyword compares it
// with the text in one step: byte i of letters is letter i, and mask covers the keyword's bytes.
struct PackedKeyword {
  std::uint64_t letters = 0;
  std::uint64_t mask = 0;
  std::size_t length = 0;
};

consteval PackedKeyword packKeyword(const char* keyword) {
  PackedKeyword packed;
  for (; keyword[packed.length] != '\0'; ++packed.length) {
    if (packed.length == 8) throw "keywords have eight characters or fewer";
    packed.letters |= std::uint64_t{static_cast<unsigned char>(keyword[packed.length])}
                      << (8 * packed.length);
    packed.mask |= std::uint64_t{0xFF} << (8 * packed.length);
  }
  return packed;
}

// The packed keywords of table, in table order.
template <typename Entry, std::size_t N>
consteval std::array<PackedKeyword, N> packKeywords(const Entry (&table)[N],
                                                    const char* Entry::*keyword) {
  std::array<PackedKeyword, N> packed{};
  for (std::size_t i = 0; i < N; ++i) packed[i] = packKeyword(table[i].*keyword);
  return packed;
}

// Index of the first entry in candidates, which is not empty; removes it from candidates.
inline std::size_t takeFirstCandidate(std::uint64_t& candidates) {
  std::size_t i = static_cast<std::size_t>(std::countr_zero(candidates));
  candidates &= candidates - 1;
  return i;
}

}  // namespace zelas
