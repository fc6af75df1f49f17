// The entries of a keyword table grouped by their first letter. Keywords are matched as
// prefixes of the text, case ignored, and the first entry in table order that matches wins; only
// the entries whose keyword begins with the letter at the cursor can match, so trying just those,
// in table order, finds the entry a walk over the whole table finds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "scan/char_class.h"

namespace zelas {

template <std::size_t N>
class KeywordsByLetter {
 public:
  // Groups table, whose keywords (lower case, each beginning with a letter) are reached through
  // the member keyword.
  template <typename Entry>
  consteval KeywordsByLetter(const Entry (&table)[N], const char* Entry::*keyword) {
    static_assert(N <= 255, "entries are numbered by a byte");
    std::size_t placed = 0;
    for (std::size_t letter = 0; letter < kLetters; ++letter) {
      groupStart_[letter] = static_cast<std::uint8_t>(placed);
      for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>((table[i].*keyword)[0] - 'a') == letter) {
          entries_[placed++] = static_cast<std::uint8_t>(i);
        }
      }
    }
    groupStart_[kLetters] = static_cast<std::uint8_t>(placed);
    if (placed != N) throw "keywords begin with a lower-case letter";
  }

  // The numbers of the entries whose keyword begins with c (case ignored), in table order.
  std::span<const std::uint8_t> startingWith(char c) const {
    const auto letter = static_cast<std::size_t>(static_cast<unsigned char>(foldCase(c) - 'a'));
    if (letter >= kLetters) return {};
    return {entries_.data() + groupStart_[letter], entries_.data() + groupStart_[letter + 1]};
  }

 private:
  static constexpr std::size_t kLetters = 26;
  std::array<std::uint8_t, N> entries_{};                // entry numbers, letter by letter
  std::array<std::uint8_t, kLetters + 1> groupStart_{};  // where each letter's entries begin
};

}  // namespace zelas
