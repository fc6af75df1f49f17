#include "scan/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/buffers.h"
#include "core/memory_file_system.h"
#include "scan/source_file.h"
#include "support/test_support.h"

namespace zelas {
namespace {

using test::LineHarness;

// Reads the lines of text through readLine with the given tab width: each line as the listing
// shows it (tabs expanded) and as it was kept.
struct ReadLines {
  std::vector<std::string> lines;
  std::vector<std::string> kept;
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
  while (readLine(h.as)) {
    LineBuffer shown;
    r.lines.emplace_back(shown.data(), copyExpandingTabs(shown.data(), h.as.lineStart, tabWidth));
    r.kept.emplace_back(h.as.lineStart);
  }
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

// A line is kept as read. Expanded in place or copied out expanded (as the listing does), it
// must be the line a character-at-a-time reader expanding its tabs gives, and the cursor must
// stand where the text before it ends once expanded.
TEST(LineReader, KeptLinesExpandToTheModelsText) {
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
    std::size_t withTabs = 0;
    while (readLine(h.as)) {
      ASSERT_LT(n, expected.size());
      std::string taken = h.as.lineStart;
      withTabs += taken.find('\t') != std::string::npos;
      LineBuffer copy{};
      char* copied = copyExpandingTabs(copy.data(), h.as.lineStart, tabWidth);
      EXPECT_EQ(std::string(copy.data(), copied), expected[n]) << "line " << n;
      std::size_t cursor = random() % (taken.size() + 1);
      h.as.scanPos = h.as.lineStart + cursor;
      h.as.tokenStart = h.as.lineStart + cursor / 2;
      expandLineTabs(h.as);
      std::vector<std::string> before = modelLines(taken.substr(0, cursor), tabWidth);
      EXPECT_EQ(std::string(h.as.lineStart, h.as.scanPos), before.empty() ? "" : before[0]);
      EXPECT_EQ(h.as.tokenStart - h.as.lineStart, expandedColumn(taken, cursor / 2, tabWidth));
      EXPECT_EQ(std::string(h.as.lineStart), expected[n]) << "line " << n;
      EXPECT_EQ(h.as.lineNumber, static_cast<int>(n + 1));
      ++n;
    }
    EXPECT_EQ(n, expected.size());
    EXPECT_GT(withTabs, 500u) << "tab width " << tabWidth;
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

// Tabs are kept as they stand; the text around them is stored unchanged.
TEST(LineReader, KeepsTabsAndDropsLineEndsAlike) {
  ReadLines r = readAll("\tmov\ta,b\r\n\tnop\n\t\"x\ty\"\r\nlast\t");
  EXPECT_EQ(r.kept, (std::vector<std::string>{"\tmov\ta,b", "\tnop", "\t\"x\ty\"", "last\t"}));
  EXPECT_EQ(r.lines, (std::vector<std::string>{"        mov     a,b", "        nop",
                                               "        \"x      y\"", "last    "}));
  EXPECT_EQ(r.err, "");
}

// A line that would pass the limit only once its tabs are expanded loses what lies beyond it,
// and its report shows it expanded, as the listing does.
TEST(LineReader, CountsTheLimitInExpandedColumns) {
  ReadLines r = readAll(std::string(31, '\t') + "abcdefghij\n");  // 248 columns of blanks
  ASSERT_EQ(r.lines.size(), 1u);
  EXPECT_EQ(r.lines[0], std::string(248, ' ') + "abcdefg");
  EXPECT_EQ(r.kept[0], r.lines[0]);  // the report expanded the line in place to show it
  EXPECT_EQ(r.err, "\nError : Line 1' exceeds maximum line length\n1.0: " + std::string(248, ' ') +
                       "abcdefg\n\nError : Line 1' exceeds maximum line length\n1.0: " +
                       std::string(248, ' ') +
                       "abcdefg\n\nError : Line 1' exceeds maximum line "
                       "length\n1.0: " +
                       std::string(248, ' ') + "abcdefg\n");
}

// A tab at every column up to the limit, for several widths: its column is the next stop, and
// the expanded text puts the following character there.
TEST(ExpandedColumn, TabsReachTheNextStopAtEveryColumn) {
  for (int width : {1, 2, 3, 4, 8, 9, 300}) {
    for (std::size_t at = 0; at < kMaxLineLength; ++at) {
      const std::string line = std::string(at, 'x') + "\ty";
      const int stop = std::min(static_cast<int>(at) / width * width + width, 255);
      ASSERT_EQ(expandedColumn(line, at, width), static_cast<int>(at));
      ASSERT_EQ(expandedColumn(line, at + 1, width), stop) << "width " << width << " at " << at;
      LineBuffer out;
      std::string shown(out.data(), copyExpandingTabs(out.data(), line.c_str(), width));
      ASSERT_EQ(shown.size(), std::min<std::size_t>(static_cast<std::size_t>(stop) + 1, 255));
      ASSERT_EQ(shown.find_first_not_of(' ', at), std::min<std::size_t>(stop, 255) == 255
                                                      ? std::string::npos
                                                      : static_cast<std::size_t>(stop));
    }
  }
  EXPECT_EQ(expandedColumn("a\tb", 99, 8), 9);  // an offset past the text counts to its end
  EXPECT_EQ(expandedColumn("\t", 1, 0), 1);     // a width below 1 counts as 1
}

TEST(ExpandLineTabs, LeavesALineWithoutTabsAlone) {
  LineHarness h;
  h.setLine("  db 1,2");
  h.as.scanPos += 5;
  const char* cursor = h.as.scanPos;
  expandLineTabs(h.as);
  EXPECT_EQ(h.as.scanPos, cursor);
  EXPECT_EQ(std::string(h.as.lineStart), "  db 1,2");
}

}  // namespace
}  // namespace zelas
