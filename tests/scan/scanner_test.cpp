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

// Reads the lines of text through readLine with the given tab width.
struct ReadLines {
  std::vector<std::string> lines;
  std::string err;
};

ReadLines readAll(const std::string& text, int tabWidth = 8) {
  MemoryFileSystem files;
  files.addFile("in.asm", text);
  LineHarness h;
  h.enableReports();
  auto file = SourceFile::open(files, "in.asm");
  h.as.sourceFile = file.get();
  h.as.tabWidth = tabWidth;
  ReadLines r;
  while (readLine(h.as)) r.lines.push_back(h.as.lineStart);
  h.as.sourceFile = nullptr;
  r.err = h.errText();
  return r;
}

TEST(LineReader, ExpandsTabsToTheNextStop) {
  EXPECT_EQ(readAll("ab\tc\n").lines, std::vector<std::string>{"ab      c"});
  EXPECT_EQ(readAll("abcdefgh\tc\n").lines, std::vector<std::string>{"abcdefgh        c"});
  EXPECT_EQ(readAll("a\tb\n", 4).lines, std::vector<std::string>{"a   b"});
}

TEST(LineReader, HandlesLineEndsAndTheLastLine) {
  EXPECT_EQ(readAll("one\r\ntwo\r\n").lines, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(readAll("one\ntwo").lines, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(readAll("\n\n").lines, (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(readAll("").lines.empty());
  // A carriage return not followed by a line feed belongs to the line.
  EXPECT_EQ(readAll("a\rb\n").lines, std::vector<std::string>{"a\rb"});
}

TEST(LineReader, ReportsEachCharacterBeyondTheLimit) {
  EXPECT_EQ(readAll(std::string(255, 'x') + "\n").err, "");
  ReadLines over = readAll(std::string(256, 'x') + "\n");
  ASSERT_EQ(over.lines.size(), 1u);
  EXPECT_EQ(over.lines[0].size(), 255u);
  EXPECT_EQ(over.err,
            "\nError : Line 1' exceeds maximum line length\n1.0: " + std::string(255, 'x') + "\n");
  std::string three = readAll(std::string(258, 'x') + "\n").err;
  std::size_t count = 0;
  for (std::size_t p = three.find("exceeds"); p != std::string::npos;
       p = three.find("exceeds", p + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 3u);
}

TEST(LineReader, StoresTheBlanksThatFitOfATabAtTheLimit) {
  // The tab at column 250 would need six blanks; five fit, then the "y" is beyond the limit.
  ReadLines r = readAll(std::string(250, 'x') + "\ty\n");
  ASSERT_EQ(r.lines.size(), 1u);
  EXPECT_EQ(r.lines[0], std::string(250, 'x') + std::string(5, ' '));
  EXPECT_NE(r.err.find("exceeds maximum line length"), std::string::npos);
  // A tab that ends exactly at the limit fits whole and reports nothing.
  ReadLines exact = readAll(std::string(250, 'x') + "\t\n", 5);
  ASSERT_EQ(exact.lines.size(), 1u);
  EXPECT_EQ(exact.lines[0], std::string(255, 'x').substr(0, 250) + std::string(5, ' '));
  EXPECT_EQ(exact.err, "");
}

TEST(LineReader, ReadsLinesAcrossTheFileBlocks) {
  // Lines with tabs, a CR LF pair split by the 64 KiB block boundary, and a tab right at it.
  std::string text;
  std::vector<std::string> expected;
  while (text.size() < 65536 - 40) {
    text += "lbl:\tmov\ta,[x+3]\t; c\n";
    expected.push_back("lbl:    mov     a,[x+3] ; c");
  }
  std::string pad(65535 - text.size(), 'p');  // the CR is the last byte of the first block
  text += pad + "\r\n";
  expected.push_back(pad);
  text += "\tnop\r\n\t\tret";
  expected.push_back("        nop");
  expected.push_back("                ret");
  EXPECT_EQ(readAll(text).lines, expected);
}

// The lines a reader that takes one character at a time would store: tabs to the next stop
// (at least one blank, only the blanks that fit at the limit), nothing beyond 255 characters,
// CR LF as a line end, and the text cut at a NUL as the C string shows it.
std::vector<std::string> modelLines(const std::string& text, int tabWidth) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;
  auto finish = [&] {
    lines.push_back(line.substr(0, line.find('\0')));
    line.clear();
    open = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    open = true;
    if (c == '\n') {
      finish();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      finish();
    } else if (c == '\t') {
      std::size_t blanks =
          static_cast<std::size_t>(tabWidth - static_cast<int>(line.size()) % tabWidth);
      line.append(std::min(blanks, 255 - std::min<std::size_t>(line.size(), 255)), ' ');
    } else if (line.size() < 255) {
      line.push_back(c);
    }
  }
  if (open) finish();
  return lines;
}

// Random lines of the alphabet's characters, more than one file block of them: most under 30
// characters, and one in longEvery from longFrom to longFrom + longSpan characters.
std::string randomLines(std::mt19937& random, const std::string& alphabet, unsigned longEvery,
                        std::size_t longFrom, std::size_t longSpan) {
  std::string text;
  while (text.size() < 150000) {
    std::size_t length = random() % longEvery == 0 ? longFrom + random() % longSpan : random() % 30;
    for (std::size_t i = 0; i < length; ++i) text.push_back(alphabet[random() % alphabet.size()]);
    text.push_back('\n');
  }
  return text;
}

TEST(LineReader, AgreesWithACharacterAtATimeModelOnRandomText) {
  // Control characters, tabs and line ends at every offset within the eight-byte steps, lines
  // around the limit, and more than one file block.
  const std::string alphabet =
      std::string("abcXYZ09 ;,[]\t\t\t\r\n\n\x01\x08\x0B\x0C\x0D\x0E\x1F\x7F\x80\xFF") + '\0';
  std::mt19937 random(20261209);
  for (int tabWidth : {8, 3, 1}) {
    std::string text = randomLines(random, alphabet, 5, 240, 40);
    text += "\tlast\r";  // no line end, a lone CR at the very end
    EXPECT_EQ(readAll(text, tabWidth).lines, modelLines(text, tabWidth))
        << "tab width " << tabWidth;
  }
}

// The reader may keep a line's tabs. Expanded in place or copied out expanded (as the listing
// does), the line must be the one readLine gives, and the cursor must stand where the text before
// it ends once expanded; a line with a quote, or whose tabs could pass the limit, is never kept.
TEST(LineReader, SizingReaderExpandsToTheLineReadersText) {
  const std::string alphabet = std::string("abc09 ;,[]\"'\t\t\t\r\n\n\x01\x80") + '\0';
  std::mt19937 random(91);
  for (int tabWidth : {8, 3, 1}) {
    std::string text = randomLines(random, alphabet, 4, 20, 240);
    std::vector<std::string> expected = modelLines(text, tabWidth);
    MemoryFileSystem files;
    files.addFile("in.asm", text);
    LineHarness h;
    auto file = SourceFile::open(files, "in.asm");
    h.as.sourceFile = file.get();
    h.as.tabWidth = tabWidth;
    std::size_t n = 0;
    std::size_t kept = 0;
    while (readLineKeepingTabs(h.as)) {
      ASSERT_LT(n, expected.size());
      if (h.as.lineKeepsTabs) {
        ++kept;
        std::string taken = h.as.lineStart;
        EXPECT_EQ(taken.find_first_of("\"'"), std::string::npos) << taken;
        LineBuffer copy{};
        char* copied = copyExpandingTabs(copy.data(), h.as.lineStart, tabWidth);
        EXPECT_EQ(std::string(copy.data(), copied), expected[n]) << "line " << n;
        std::size_t cursor = random() % (taken.size() + 1);
        h.as.scanPos = h.as.lineStart + cursor;
        expandLineTabs(h.as);
        std::vector<std::string> before = modelLines(taken.substr(0, cursor), tabWidth);
        EXPECT_EQ(std::string(h.as.lineStart, h.as.scanPos), before.empty() ? "" : before[0]);
        EXPECT_FALSE(h.as.lineKeepsTabs);
      }
      EXPECT_EQ(std::string(h.as.lineStart), expected[n]) << "line " << n;
      EXPECT_EQ(h.as.lineNumber, static_cast<int>(n + 1));
      ++n;
    }
    EXPECT_EQ(n, expected.size());
    EXPECT_GT(kept, 500u) << "tab width " << tabWidth;
    h.as.sourceFile = nullptr;
  }
}

TEST(LineReader, KeepsNulAndHighBytesWithoutFault) {
  ReadLines r = readAll(std::string("a\xA0"
                                    "b\n",
                                    4) +
                        std::string("c\0d\n", 4));
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0],
            "a\xA0"
            "b");
  EXPECT_EQ(r.lines[1], "c");  // the text ends at the NUL byte
}

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

// The packed match compares eight bytes at once, folding their case together: it must answer
// as the character loop does for any text, including the bytes around the letters' ranges, high
// bytes, and a terminator inside the keyword, at every position up to the end of a full line.
TEST(MatchKeyword, PackedMatchAgreesWithTheCharacterLoop) {
  constexpr const char* kWords[] = {"if", "xpageoff", "nop", "a", "dwl", "macro", "jnz"};
  constexpr PackedKeyword kPacked[] = {
      packKeyword("if"),  packKeyword("xpageoff"), packKeyword("nop"), packKeyword("a"),
      packKeyword("dwl"), packKeyword("macro"),    packKeyword("jnz")};
  const std::string alphabet =
      std::string("iIfFxXpPaAgGeEoOnNdDwWlLmMcCrRjJzZ@[`{\x80\xC1\xDA\xFA ,") + '\0';
  std::mt19937 random(7);
  LineHarness h;
  for (int trial = 0; trial < 20000; ++trial) {
    std::size_t w = random() % std::size(kWords);
    std::string text;
    if (random() % 2 == 0) {
      // The keyword itself, each letter in either case, then something.
      for (const char* k = kWords[w]; *k != '\0'; ++k) {
        text.push_back(random() % 2 == 0 ? *k : static_cast<char>(*k - 32));
      }
    }
    while (text.size() < 10) text.push_back(alphabet[random() % alphabet.size()]);
    // Anywhere on the line, up to its very end.
    std::size_t at = random() % 4 == 0 ? kMaxLineLength - random() % 10 : 0;
    std::string line = std::string(at, ' ') + text;
    line.resize(std::min(line.size(), kMaxLineLength));
    for (MatchMode mode : {MatchMode::delimited, MatchMode::prefix, MatchMode::wholeWord}) {
      h.setLine(line);
      h.as.scanPos += at;
      bool loop = matchKeyword(h.as, kWords[w], mode);
      std::size_t loopColumn = static_cast<std::size_t>(h.column());
      h.setLine(line);
      h.as.scanPos += at;
      bool packed = matchKeyword(h.as, kWords[w], kPacked[w], mode);
      ASSERT_EQ(packed, loop) << kWords[w] << " in '" << line.substr(at) << "'";
      ASSERT_EQ(static_cast<std::size_t>(h.column()), loopColumn);
    }
  }
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
