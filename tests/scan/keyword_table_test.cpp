#include "scan/keyword_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/buffers.h"
#include "scan/scanner.h"
#include "support/test_support.h"

namespace zelas {
namespace {

using test::LineHarness;

struct Word {
  const char* keyword;
};

constexpr Word kWords[] = {{"ifdef"}, {"ifndef"}, {"if"}, {"dwl"}, {"dw"}, {"ds"}, {"di"}};
constexpr KeywordsByLetters kByLetters(kWords, &Word::keyword);

// The table entries offered at text, in the order they are offered.
std::vector<const char*> candidates(const char* text) {
  std::vector<const char*> out;
  for (std::uint8_t i : kByLetters.startingWith(text)) out.push_back(kWords[i].keyword);
  return out;
}

TEST(KeywordTable, OffersTheEntriesOfTheFirstTwoLettersInTableOrder) {
  EXPECT_EQ(candidates("if x"), (std::vector<const char*>{"ifdef", "ifndef", "if"}));
  EXPECT_EQ(candidates("IFDEF x"), (std::vector<const char*>{"ifdef", "ifndef", "if"}));
  EXPECT_EQ(candidates("dWl 5"), (std::vector<const char*>{"dwl", "dw"}));
  EXPECT_EQ(candidates("Ds \"a\""), std::vector<const char*>{"ds"});
}

TEST(KeywordTable, OffersNothingAtTheLineEndOrForOtherLetters) {
  EXPECT_TRUE(candidates("").empty());
  EXPECT_TRUE(candidates("d").empty());  // one letter: every keyword has two or more
  EXPECT_TRUE(candidates("d1").empty());
  EXPECT_TRUE(candidates("mov a,1").empty());
  // Characters beside the letters' ranges, and bytes whose low bits are a letter's.
  for (const char* text : {"`", "{", "@", "[", ")", "&", "\xC9", "\xE9", "0", "_"}) {
    EXPECT_TRUE(candidates(text).empty()) << text;
  }
}

// Keywords that the statement words and mnemonics share first letters with, including the
// prefix pairs whose order matters ("dwl" before "dw", "ifdef" before "if").
constexpr Word kStatementWords[] = {
    {"ifdef"},   {"ifndef"},   {"if"},      {"define"},  {"else"}, {"endif"}, {"equ"},
    {"org"},     {"db"},       {"dwl"},     {"dw"},      {"dsu"},  {"ds"},    {"cpu"},
    {"xpageon"}, {"xpageoff"}, {"fillrom"}, {"include"}, {"inc"},  {"jnz"},   {"jz"},
    {"jmp"},     {"mov"},      {"nop"},     {"ax"},      {"and"},  {"macro"}, {"xor"}};
constexpr KeywordsByLetters kStatementsByLetters(kStatementWords, &Word::keyword);

// The entry that walking the whole table in order matches at text, or -1.
int walkWholeTable(LineHarness& h, const std::string& text, MatchMode mode) {
  for (std::size_t i = 0; i < std::size(kStatementWords); ++i) {
    h.setLine(text);
    if (matchKeyword(h.as, kStatementWords[i].keyword, mode)) return static_cast<int>(i);
  }
  return -1;
}

// The entry that the letter's group matches at text, or -1.
int walkLetterGroup(LineHarness& h, const std::string& text, MatchMode mode) {
  for (std::uint8_t i : kStatementsByLetters.startingWith(text.c_str())) {
    h.setLine(text);
    if (matchKeyword(h.as, kStatementWords[i].keyword, mode)) return i;
  }
  return -1;
}

std::string upperCase(std::string text) {
  for (char& c : text) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  return text;
}

TEST(KeywordTable, FindsWhatTheWholeTableFindsForEveryKeywordAndNearMisses) {
  LineHarness h;
  for (const Word& w : kStatementWords) {
    const std::string k = w.keyword;
    std::vector<std::string> texts = {k,
                                      upperCase(k),
                                      k + " 1",
                                      k + "x",
                                      k + "\t;c",
                                      k.substr(1),
                                      "x" + k,
                                      k + ":",
                                      "@" + k,
                                      "\x80" + k,
                                      k.substr(0, k.size() - 1)};
    for (const std::string& text : texts) {
      for (MatchMode mode : {MatchMode::delimited, MatchMode::prefix, MatchMode::wholeWord}) {
        EXPECT_EQ(walkLetterGroup(h, text, mode), walkWholeTable(h, text, mode))
            << "'" << text << "'";
      }
    }
    EXPECT_NE(walkLetterGroup(h, k, MatchMode::wholeWord), -1) << k;
  }
  // Order within a group decides between a keyword and a longer one it begins.
  EXPECT_EQ(kStatementWords[walkLetterGroup(h, "dwl 1", MatchMode::delimited)].keyword,
            std::string("dwl"));
  EXPECT_EQ(kStatementWords[walkLetterGroup(h, "IFDEF x", MatchMode::delimited)].keyword,
            std::string("ifdef"));
}

// Random words built from the keywords' letters in either case and the bytes around the letters'
// ranges, anywhere up to the end of a full line: the group walk answers as the whole walk does.
TEST(KeywordTable, AgreesWithTheWholeTableOnRandomText) {
  const std::string alphabet =
      std::string("iIfFxXpPaAgGeEoOnNdDwWlLmMcCrRjJzZ@[`{\x80\xC1\xDA\xFA ,") + '\0';
  std::mt19937 random(7);
  LineHarness h;
  for (int trial = 0; trial < 5000; ++trial) {
    std::string text;
    if (random() % 2 == 0) {
      for (const char* k = kStatementWords[random() % std::size(kStatementWords)].keyword;
           *k != '\0'; ++k) {
        text.push_back(random() % 2 == 0 ? *k : static_cast<char>(*k - 32));
      }
    }
    while (text.size() < 10) text.push_back(alphabet[random() % alphabet.size()]);
    text = text.substr(0, text.find('\0'));
    if (random() % 4 == 0) text.resize(std::min(text.size(), random() % 4));
    for (MatchMode mode : {MatchMode::delimited, MatchMode::prefix, MatchMode::wholeWord}) {
      ASSERT_EQ(walkLetterGroup(h, text, mode), walkWholeTable(h, text, mode))
          << "'" << text << "'";
    }
  }
}

}  // namespace
}  // namespace zelas
