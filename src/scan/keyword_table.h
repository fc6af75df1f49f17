// The entries of a keyword table grouped by their first two letters. Keywords are matched as
// prefixes of the text, case ignored, and the first entry in table order that matches wins; only
// the entries whose keyword begins with the two letters at the cursor can match, so trying just
// those, in table order, finds the entry a walk over the whole table finds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "scan/char_class.h"

namespace zelas {

// Where keyword (lower case) ends in text (terminated) when text begins with it, case ignored;
// null otherwise.
constexpr const char* afterKeyword(const char* text, const char* keyword) {
  for (; *keyword != '\0'; ++keyword, ++text) {
    if (foldCase(*text) != *keyword) return nullptr;  // also stops at the terminator
  }
  return text;
}

// The entries of a keyword table grouped by their first two letters, in table order within each
// group.
template <std::size_t N>
class KeywordsByLetters {
 public:
  // Groups table, whose keywords (lower case, each beginning with two letters) are reached
  // through the member keyword.
  template <typename Entry>
  consteval KeywordsByLetters(const Entry (&table)[N], const char* Entry::*keyword) {
    static_assert(N <= 255, "entries are numbered by a byte");
    std::size_t placed = 0;
    for (std::size_t group = 0; group < kGroups; ++group) {
      groupStart_[group] = static_cast<std::uint8_t>(placed);
      for (std::size_t i = 0; i < N; ++i) {
        const char* k = table[i].*keyword;
        if (k[0] != '\0' && groupOf(k[0], k[1]) == group) {
          entries_[placed++] = static_cast<std::uint8_t>(i);
        }
      }
    }
    groupStart_[kGroups] = static_cast<std::uint8_t>(placed);
    if (placed != N) throw "keywords begin with two lower-case letters";
  }

  // The numbers of the entries whose keyword begins with the first two characters of text
  // (terminated), case ignored, in table order.
  std::span<const std::uint8_t> startingWith(const char* text) const {
    if (text[0] == '\0') return {};
    const std::size_t group = groupOf(foldCase(text[0]), foldCase(text[1]));
    if (group >= kGroups) return {};
    return {entries_.data() + groupStart_[group], entries_.data() + groupStart_[group + 1]};
  }

 private:
  static constexpr std::size_t kLetters = 26;
  static constexpr std::size_t kGroups = kLetters * kLetters;

  // The group of two lower-case letters; kGroups or more for anything else.
  static constexpr std::size_t groupOf(char first, char second) {
    const auto a = static_cast<std::size_t>(static_cast<unsigned char>(first - 'a'));
    const auto b = static_cast<std::size_t>(static_cast<unsigned char>(second - 'a'));
    return a < kLetters && b < kLetters ? a * kLetters + b : kGroups;
  }

  std::array<std::uint8_t, N> entries_{};               // entry numbers, group by group
  std::array<std::uint8_t, kGroups + 1> groupStart_{};  // where each group's entries begin
};

}  // namespace zelas
