#include "e2e/case_file.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace zelas::test {
namespace {

namespace fs = std::filesystem;

std::vector<ExpectedLine> lines(std::initializer_list<const char*> texts) {
  std::vector<ExpectedLine> result;
  for (const char* text : texts) {
    result.push_back(text == nullptr ? ExpectedLine() : ExpectedLine(text));
  }
  return result;
}

TEST(SourceCase, SourceIsTheLinesAboveTheBlock) {
  EndToEndCase c = parseSourceCase(
      "\tnop ; one\n"
      "\n"
      ";; A note: not a key.\n"
      ";; args: -e  prog\n"
      ";; file lib/a.inc: x:\tequ 1\n"
      ";; file lib/a.inc:\n"
      ";; exit: 2\n");
  ASSERT_TRUE(c.faults.empty());
  ASSERT_EQ(c.inputs.size(), 2u);
  EXPECT_EQ(c.inputs[0].first, "prog.asm");
  EXPECT_EQ(c.inputs[0].second, "\tnop ; one\n\n");
  EXPECT_EQ(c.inputs[1].first, "lib/a.inc");
  EXPECT_EQ(c.inputs[1].second, "x:\tequ 1\n\n");
  EXPECT_EQ(c.notes, std::vector<std::string>{"A note: not a key."});
  EXPECT_EQ(c.args, (std::vector<std::string>{"-e", "prog"}));
  EXPECT_EQ(c.exitStatus, 2);
}

TEST(SourceCase, ExpectedTextsKeepMarksBlanksAndGaps) {
  EndToEndCase c = parseSourceCase(
      ";; listing: ZELAS Version 1.94 |\n"
      ";; listing: ...\n"
      ";; listing: ...|\n"
      ";; listing: a|b||\n"
      ";; listing:\n"
      ";; out prog.d: rule\n"
      ";; empty: stderr\n"
      ";; absent: prog.hex\n");
  ASSERT_TRUE(c.faults.empty());
  EXPECT_EQ(c.inputs[0].second, "");
  EXPECT_EQ(c.args, std::vector<std::string>{"prog"});
  EXPECT_FALSE(c.exitStatus.has_value());
  ASSERT_EQ(c.texts.size(), 3u);
  EXPECT_EQ(c.texts[0].name, "prog.lst");
  EXPECT_EQ(c.texts[0].lines, lines({"ZELAS Version 1.94 ", nullptr, "...", "a|b|", ""}));
  EXPECT_EQ(c.texts[1].name, "prog.d");
  EXPECT_EQ(c.texts[2].name, "stderr");
  EXPECT_TRUE(c.texts[2].lines.empty());
  EXPECT_EQ(c.absent, std::vector<std::string>{"prog.hex"});
}

TEST(SourceCase, FaultsNameTheirLines) {
  EndToEndCase c = parseSourceCase(
      "\tnop\n;; exit: one\n\thalt\n;; lisitng: 0000 20\n;; fiel a.inc: x\n;; Note: kept\n");
  EXPECT_EQ(c.faults, (std::vector<std::string>{"line 2: an exit status that is no number",
                                                "line 3: a source line below the case lines",
                                                "line 4: an unknown key 'lisitng'",
                                                "line 5: an unknown key 'fiel a.inc'"}));
  EXPECT_EQ(c.notes, std::vector<std::string>{"Note: kept"});
}

// Writing a case and reading it back gives the same case, in both forms.
TEST(CaseForms, RenderThenParseGivesTheSameCase) {
  EndToEndCase c;
  c.notes = {"Two files and a gap.", ""};
  c.inputs = {{"prog.asm", "\tinclude \"a.inc\"\n"}, {"a.inc", "\tdb 1 \n"}};
  c.args = {"-e", "prog"};
  c.exitStatus = 3;
  c.texts = {{"stdout", lines({"banner ", "", "Complete!"})},
             {"stderr", {}},
             {"prog.rom", lines({"01 "})},
             {"prog.sym", lines({"x: equ 0"})}};
  c.absent = {"prog.d"};
  for (const EndToEndCase& back :
       {parseSourceCase(renderSourceCase(c)), parseWholeCase(renderWholeCase(c))}) {
    EXPECT_TRUE(back.faults.empty());
    EXPECT_EQ(back.notes, c.notes);
    EXPECT_EQ(back.inputs, c.inputs);
    EXPECT_EQ(back.args, c.args);
    EXPECT_EQ(back.exitStatus, c.exitStatus);
    ASSERT_EQ(back.texts.size(), c.texts.size());
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
      EXPECT_EQ(back.texts[i].name, c.texts[i].name);
      EXPECT_EQ(back.texts[i].lines, c.texts[i].lines);
    }
    EXPECT_EQ(back.absent, c.absent);
  }
}

TEST(TextMismatch, WithoutGapsTheTextIsWhole) {
  EXPECT_EQ(textMismatch(lines({"a", "b"}), "a\nb\n"), "");
  EXPECT_EQ(textMismatch({}, ""), "");
  EXPECT_EQ(textMismatch({}, "a\n"), "line 1: expected (the end), got 'a'");
  EXPECT_EQ(textMismatch(lines({"a", "b"}), "a\n"), "line 2: expected 'b', got (the end)");
  EXPECT_EQ(textMismatch(lines({"a", "b"}), "a\nc\n"), "line 2: expected 'b', got 'c'");
  EXPECT_EQ(textMismatch(lines({"a "}), "a\n"), "line 1: expected 'a ', got 'a'");
  EXPECT_EQ(textMismatch(lines({"a"}), "a"), "the text does not end in a line end");
}

TEST(TextMismatch, GapsTakeAnyLinesAndKeepTheOrder) {
  const std::string text = "head\none\ntwo\nthree\ntail\n";
  EXPECT_EQ(textMismatch(lines({nullptr}), text), "");
  EXPECT_EQ(textMismatch(lines({"head", nullptr}), text), "");
  EXPECT_EQ(textMismatch(lines({nullptr, "tail"}), text), "");
  EXPECT_EQ(textMismatch(lines({nullptr, "one", "two", nullptr}), text), "");
  EXPECT_EQ(textMismatch(lines({"head", nullptr, "two", nullptr, "tail"}), text), "");
  EXPECT_EQ(textMismatch(lines({"head", nullptr, "one", "two", "three", "tail"}), text), "");
  EXPECT_NE(textMismatch(lines({nullptr, "two", "one", nullptr}), text), "");
  EXPECT_NE(textMismatch(lines({nullptr, "one", "three", nullptr}), text), "");
  EXPECT_NE(textMismatch(lines({"one", nullptr}), text), "");
  EXPECT_NE(textMismatch(lines({nullptr, "three"}), text), "");
  // The last run may not reuse lines an earlier run took.
  EXPECT_NE(textMismatch(lines({nullptr, "tail", nullptr, "tail"}), text), "");
  EXPECT_EQ(textMismatch(lines({nullptr, "x", nullptr}), "a\ny\n"),
            "these lines are not found after line 0:\n  x\n");
}

TEST(ExportCase, WritesInputsUnderTheirNamesAndTheArguments) {
  ScopedTempDir dir;
  EndToEndCase c = parseSourceCase(
      "\tinclude \"defs.inc\"\n"
      ";; args: --include-path=lib prog\n"
      ";; file lib/defs.inc: x:\tequ 1 |\n"
      ";; exit: 0\n");
  exportCase(c, dir.path() / "room/ok_case");
  EXPECT_EQ(readFile(dir.path() / "room/ok_case/prog.asm"), "\tinclude \"defs.inc\"\n");
  EXPECT_EQ(readFile(dir.path() / "room/ok_case/lib/defs.inc"), "x:\tequ 1 \n");
  EXPECT_EQ(readFile(dir.path() / "room/ok_case/args"), "--include-path=lib\nprog\n");
}

}  // namespace
}  // namespace zelas::test
