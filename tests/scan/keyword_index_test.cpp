#include "scan/keyword_index.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelas {
namespace {

struct Word {
  const char* keyword;
};

constexpr Word kWords[] = {{"ifdef"}, {"ifndef"}, {"if"}, {"dwl"}, {"dw"}, {"ds"}, {"di"}};
constexpr KeywordIndex kIndex = makeKeywordIndex(kWords, &Word::keyword);

// The table entries offered at text, in the order they are offered.
std::vector<const char*> candidates(const char* text) {
  std::vector<const char*> out;
  for (std::uint64_t c = keywordCandidates(kIndex, text); c != 0;) {
    out.push_back(kWords[takeFirstCandidate(c)].keyword);
  }
  return out;
}

TEST(KeywordIndex, OffersTheEntriesOfTheFirstTwoLettersInTableOrder) {
  EXPECT_EQ(candidates("if x"), (std::vector<const char*>{"ifdef", "ifndef", "if"}));
  EXPECT_EQ(candidates("IFDEF x"), (std::vector<const char*>{"ifdef", "ifndef", "if"}));
  EXPECT_EQ(candidates("dWl 5"), (std::vector<const char*>{"dwl", "dw"}));
  EXPECT_EQ(candidates("ds \"a\""), std::vector<const char*>{"ds"});
}

TEST(KeywordIndex, OffersNothingAtTheLineEndOrForOtherWords) {
  EXPECT_TRUE(candidates("").empty());
  EXPECT_TRUE(candidates("d").empty());  // one letter: every keyword has two or more
  EXPECT_TRUE(candidates("mov a,1").empty());
  // ")" shares the bucket of "i" and "&" that of "f": a superset, never a miss.
  EXPECT_EQ(candidates(")&").size(), 3u);
}

}  // namespace
}  // namespace zelas
