#include "scan/scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/memory_file_system.h"
#include "scan/char_class.h"
#include "scan/source_file.h"
#include "support/test_support.h"

namespace zelas {
namespace {

using test::LineHarness;

TEST(CharClass, HighBytesAreBlanksAndEndNames) {
  EXPECT_TRUE(isBlank('\xA0'));
  EXPECT_TRUE(isBlank('\x01'));
  EXPECT_FALSE(isBlank('\0'));
  EXPECT_FALSE(isNameChar('\xE9'));
  LineHarness h;
  h.setLine(
      "ab\xA0"
      "cd");
  EXPECT_STREQ(readToken(h.as), "ab");
  EXPECT_EQ(h.rest(), "cd");
}

TEST(SkipBlanks, PassesCommentsButNotASingleSlash) {
  LineHarness h;
  h.setLine("  ; comment");
  skipBlanks(h.as, true);
  EXPECT_TRUE(atLineEnd(h.as));
  h.setLine("  // comment");
  skipBlanks(h.as, true);
  EXPECT_TRUE(atLineEnd(h.as));
  h.setLine("  / 2");
  skipBlanks(h.as, true);
  EXPECT_EQ(h.rest(), "/ 2");
  h.setLine("  x");
  skipBlanks(h.as, false);
  EXPECT_EQ(h.column(), 0);
}

TEST(TakeBlanks, ReturnsTheBlanksAndAComment) {
  LineHarness h;
  h.setLine("   mov");
  EXPECT_STREQ(takeBlanks(h.as), "   ");
  EXPECT_EQ(h.rest(), "mov");
  h.setLine("  ; note");
  EXPECT_STREQ(takeBlanks(h.as), "  ; note");
  EXPECT_TRUE(atLineEnd(h.as));
}

TEST(ReadToken, ReadsNamesPunctuationAndCharacterLiterals) {
  LineHarness h;
  h.setLine("LOOP1: mov");
  EXPECT_STREQ(readToken(h.as), "LOOP1");
  EXPECT_EQ(h.rest(), ": mov");
  h.setLine(".l2");
  EXPECT_STREQ(readToken(h.as), ".l2");
  h.setLine("0FFh,1");
  EXPECT_STREQ(readToken(h.as), "0FFh");
  EXPECT_EQ(h.rest(), ",1");
  h.setLine("+  3");
  EXPECT_STREQ(readToken(h.as), "+");
  EXPECT_EQ(h.rest(), "3");
  h.setLine("'\\''");
  EXPECT_STREQ(readToken(h.as), "'\\''");
  EXPECT_TRUE(atLineEnd(h.as));
  h.setLine("x   ; c");
  EXPECT_STREQ(readToken(h.as, false), "x");
  EXPECT_EQ(h.rest(), "   ; c");
}

TEST(ReadToken, WarnsAboutAnUnclosedLiteralAndStrayCharacters) {
  LineHarness h;
  h.enableReports();
  h.setLine("'a");
  EXPECT_STREQ(readToken(h.as), "'a'");
  h.setLine("=5");
  EXPECT_STREQ(readToken(h.as), "");
  EXPECT_EQ(h.rest(), "5");
  EXPECT_EQ(h.errText(),
            "\nWarning : Expecting a character data type, missing closing '.\n0.2: 'a\n"
            "\nWarning : Expecting an AlphaNumeric or Operator: Found '='\n0.0: =5\n");
}

TEST(ReadToken, NeverOverrunsOnAnUnclosedLiteralOfAFullLine) {
  LineHarness h;
  h.setLine("'" + std::string(254, 'q'));
  std::string token = readToken(h.as);
  EXPECT_LE(token.size(), 255u);
  EXPECT_EQ(token.front(), '\'');
  EXPECT_EQ(token.back(), '\'');
}

// Inside quotes a tab's blanks are text: a literal takes the blanks the listing shows, while the
// line keeps its tabs and the cursor stops behind the literal's closing quote in it.
TEST(ReadToken, ReadsALiteralWithTabsAsTheListingShowsIt) {
  LineHarness h;
  h.setLine("\tdb\t'\t',5");
  h.as.scanPos += 4;
  EXPECT_STREQ(readToken(h.as), "'       '");  // the tab stands at column 17
  EXPECT_EQ(h.rest(), ",5");
  EXPECT_EQ(std::string(h.as.lineStart), "\tdb\t'\t',5");
  // An escaped quote and a tab right after a backslash count as in the shown text.
  h.setLine("\t'\\'\\\t'\tx");
  h.as.scanPos += 1;
  EXPECT_STREQ(readToken(h.as), "'\\'\\    '");  // the tab at column 12 takes four
  EXPECT_EQ(h.rest(), "x");
  // Unclosed: the literal runs to the end of the line, tabs expanded.
  h.setLine("\t'a\tb");
  h.as.scanPos += 1;
  EXPECT_STREQ(readToken(h.as), "'a      b'");
  EXPECT_TRUE(atLineEnd(h.as));
}

TEST(MatchKeyword, HonoursTheThreeModes) {
  LineHarness h;
  h.enableReports();
  h.setLine("ifx 3");
  EXPECT_TRUE(matchKeyword(h.as, "if", MatchMode::delimited));
  EXPECT_EQ(h.rest(), "x 3");
  EXPECT_EQ(h.errText(), "\nWarning : Space or tab delimiter required after 'if'.\n0.2: ifx 3\n");
  h.setLine("IF 3");
  EXPECT_TRUE(matchKeyword(h.as, "if", MatchMode::delimited));
  EXPECT_EQ(h.rest(), "3");
  h.setLine("a,b");
  EXPECT_FALSE(matchKeyword(h.as, "a", MatchMode::wholeWord));
  EXPECT_EQ(h.column(), 0);
  h.setLine("a ,b");
  EXPECT_TRUE(matchKeyword(h.as, "a", MatchMode::wholeWord));
  EXPECT_EQ(h.rest(), ",b");
  h.setLine("nopx");
  EXPECT_TRUE(matchKeyword(h.as, "nop", MatchMode::prefix));
  EXPECT_EQ(h.rest(), "x");
  h.setLine("no");
  EXPECT_FALSE(matchKeyword(h.as, "nop", MatchMode::prefix));
  EXPECT_EQ(h.errText(), "");
}

TEST(Punctuation, AcceptExpectAndPairs) {
  LineHarness h;
  h.enableReports();
  h.setLine("X + 3");
  EXPECT_TRUE(acceptPair(h.as, 'x', '+'));
  EXPECT_EQ(h.rest(), "3");
  h.setLine("x - 3");
  EXPECT_FALSE(acceptPair(h.as, 'x', '+'));
  EXPECT_EQ(h.column(), 0);
  h.setLine(",  a");
  EXPECT_TRUE(acceptChar(h.as, ','));
  EXPECT_EQ(h.rest(), "a");
  expectChar(h.as, ']');
  EXPECT_EQ(h.rest(), "a");
  EXPECT_EQ(h.errText(), "\nWarning : Missing punctuation ']'\n0.3: ,  a\n");
  h.setLine("A , dsp ; c");
  EXPECT_TRUE(matchWordPair(h.as, "a", ',', "dsp"));
  EXPECT_TRUE(atLineEnd(h.as));
  h.setLine("a,x");
  EXPECT_FALSE(matchWordPair(h.as, "a", ',', "dsp"));
  EXPECT_EQ(h.column(), 0);
}

TEST(SameTextNoCase, ComparesWholeTextsIgnoringCase) {
  EXPECT_TRUE(sameTextNoCase("PX107", "px107"));
  EXPECT_FALSE(sameTextNoCase("PX10", "PX107"));
  EXPECT_FALSE(sameTextNoCase("a[", "A{"));  // only letters fold
}

}  // namespace
}  // namespace zelas
