// The body recorder: how a macro's lines are cut into classified tokens with their blanks.
#include <gtest/gtest.h>

#include "macro/macro.h"
#include "macro/macro_define.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

struct Recorder : LineHarness {
  Recorder() { as.pass = 1; }
  Macro& macro(const char* name = "m") { return *newMacro(as, name); }
  bool record(Macro& m, const std::string& text) {
    setLine(text);
    return recordBodyLine(as, m);
  }
};

struct Expected {
  const char* text;
  TokenKind kind;
  const char* blanks;
  int ref;
};

void expectTokens(const BodyLine& line, const std::vector<Expected>& expected) {
  ASSERT_EQ(line.tokens.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(line.tokens[i].text, expected[i].text);
    EXPECT_EQ(line.tokens[i].kind, expected[i].kind);
    EXPECT_EQ(line.tokens[i].blanks, expected[i].blanks);
    EXPECT_EQ(line.tokens[i].ref, expected[i].ref);
  }
}

TEST(MacroRecorder, LabelLineGivesLocalStatementWordOperandsAndParameter) {
  Recorder r;
  Macro& m = r.macro();
  newMacParam(r.as, &m, "cnt");
  EXPECT_FALSE(r.record(m, "lp:  mov a, cnt"));
  ASSERT_EQ(m.lines.size(), 1u);
  expectTokens(m.lines[0], {{"lp", TokenKind::localLabel, "", 0},
                            {"mov", TokenKind::statementWord, "  ", -1},
                            {"a", TokenKind::word, " ", -1},
                            {",", TokenKind::punct, "", -1},
                            {"cnt", TokenKind::paramRef, " ", 0}});
  EXPECT_FALSE(m.lines[0].hasTrailing);
  ASSERT_EQ(m.localLabels.size(), 1u);
  EXPECT_EQ(m.localLabels[0].name, "lp");
}

TEST(MacroRecorder, KeepsIndentationCharLiteralAndTrailingComment) {
  Recorder r;
  Macro& m = r.macro();
  r.record(m, "        db 'a',[x+2]   ; two items");
  expectTokens(m.lines[0], {{"db", TokenKind::statementWord, "        ", -1},
                            {"'a'", TokenKind::charLiteral, " ", -1},
                            {",", TokenKind::punct, "", -1},
                            {"[", TokenKind::punct, "", -1},
                            {"x", TokenKind::word, "", -1},
                            {"+", TokenKind::punct, "", -1},
                            {"2", TokenKind::word, "", -1},
                            {"]", TokenKind::punct, "", -1}});
  EXPECT_TRUE(m.lines[0].hasTrailing);
  EXPECT_EQ(m.lines[0].trailing, "   ; two items");
}

TEST(MacroRecorder, DropsEmptyCommentAndUnreadableLinesAndStopsAtEndm) {
  Recorder r;
  Macro& m = r.macro();
  EXPECT_FALSE(r.record(m, ""));
  EXPECT_FALSE(r.record(m, "    ; only a comment"));
  EXPECT_FALSE(r.record(m, "  // another"));
  EXPECT_FALSE(r.record(m, "\"quoted\""));
  EXPECT_TRUE(m.lines.empty());
  EXPECT_TRUE(r.record(m, "  EndM junk after it"));
  EXPECT_TRUE(m.lines.empty());
  // A label in front of endm hides it: the line is an ordinary body line.
  EXPECT_FALSE(r.record(m, "x: endm"));
  EXPECT_EQ(m.lines.size(), 1u);
}

TEST(MacroRecorder, ParameterInStatementPositionIsNotSubstituted) {
  Recorder r;
  Macro& m = r.macro();
  newMacParam(r.as, &m, "op");
  r.record(m, "op op");
  expectTokens(m.lines[0],
               {{"op", TokenKind::statementWord, "", -1}, {"op", TokenKind::paramRef, " ", 0}});
}

TEST(MacroRecorder, LocalLabelsAreLookedUpBeforeParametersAndOnlyBackwards) {
  Recorder r;
  Macro& m = r.macro();
  newMacParam(r.as, &m, "lp");
  r.record(m, " jmp lp");  // above the label: still a parameter reference
  r.record(m, "lp: nop");
  r.record(m, " jmp lp");  // below: a local-label reference
  EXPECT_EQ(m.lines[0].tokens[1].kind, TokenKind::paramRef);
  EXPECT_EQ(m.lines[2].tokens[1].kind, TokenKind::localLabel);
  EXPECT_EQ(m.lines[2].tokens[1].ref, 0);
}

TEST(MacroRecorder, ColonAfterLaterNameMakesLocalLabelWithoutRecordingIt) {
  Recorder r;
  Macro& m = r.macro();
  r.record(m, "a: b: nop");
  expectTokens(m.lines[0], {{"a", TokenKind::localLabel, "", 0},
                            {"b", TokenKind::localLabel, " ", -1},
                            {"nop", TokenKind::word, " ", -1}});
  EXPECT_EQ(m.localLabels.size(), 1u);
}

TEST(MacroRecorder, BlankBeforeColonDropsTheColonAndKeepsTheStatementWord) {
  Recorder r;
  Macro& m = r.macro();
  r.record(m, "lbl : nop");
  // The rejected colon is stepped over; the blanks in front of it become the trailing text.
  expectTokens(m.lines[0],
               {{"lbl", TokenKind::statementWord, "", -1}, {"nop", TokenKind::word, " ", -1}});
  EXPECT_EQ(m.lines[0].trailing, " ");
  EXPECT_TRUE(m.localLabels.empty());
}

TEST(MacroRecorder, QuotedStringLosesQuotesAndTheBlanksBeforeThem) {
  Recorder r;
  Macro& m = r.macro();
  r.record(m, "  ds \"abc\"");
  expectTokens(m.lines[0],
               {{"ds", TokenKind::statementWord, "  ", -1}, {"abc", TokenKind::word, "", -1}});
}

TEST(MacroRecorder, ForwardReferencesCompletedWhenDefinitionIsSkipped) {
  Recorder r;
  Macro& m = r.macro();
  r.record(m, " jmp done");
  r.record(m, "done: ret");
  EXPECT_EQ(m.lines[0].tokens[1].kind, TokenKind::word);
  skipMacroBody(r.as, false, &m);  // no file open: only the completion happens
  EXPECT_EQ(m.lines[0].tokens[1].kind, TokenKind::localLabel);
  EXPECT_EQ(m.lines[0].tokens[1].ref, 0);
}

TEST(MacroRecorder, NestedMacroLineIsFatal) {
  Recorder r;
  Macro& m = r.macro("outer");
  r.as.reportingEnabled = false;  // fatal reports are shown regardless
  EXPECT_THROW(r.record(m, "  macro inner"), FatalStop);
  EXPECT_EQ(r.errText(),
            "\nError : New MACRO Reached: 'ENDM' missing in 'outer' macro definition.\n"
            "0.7:   macro inner\n");
}

TEST(MacroNames, ReservedWordsIgnoreCaseAndOmitTheUnlistedOnes) {
  for (const char* word : {"mov", "MOV", "Jacc", "xpageoff", "include", "macro", "halt", "ds"}) {
    EXPECT_TRUE(isReservedWord(word)) << word;
  }
  for (const char* word : {"reti", "ipret", "di", "ei", "dsu", "cpu", "endm", "if", "movx", ""}) {
    EXPECT_FALSE(isReservedWord(word)) << word;
  }
}

TEST(MacroNames, ReservedNameWarnsButRecordsDuplicateWarnsAndRefuses) {
  Recorder r;
  r.enableReports();
  r.as.pass = 1;
  r.as.reportingEnabled = false;
  r.setLine("macro Mov");
  Macro* first = newMacro(r.as, "Mov");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(r.errText(),
            "\nWarning : Macro - 'Mov' - is re-defining a reserved mnemonic.\n0.0: macro Mov\n");
  EXPECT_FALSE(r.as.reportingEnabled);  // the forced report clears it again
  EXPECT_EQ(newMacro(r.as, "Mov"), nullptr);
  EXPECT_EQ(findMacro(r.as, "Mov"), first);
  EXPECT_EQ(findMacro(r.as, "mov"), nullptr);  // macro names keep their letter case
  EXPECT_EQ(r.as.warningCount, 3);             // reserved twice, already defined once
}

TEST(MacroNames, InternalErrorsWithoutMacro) {
  Recorder r;
  EXPECT_THROW(newMacParam(r.as, nullptr, "p"), FatalStop);
  EXPECT_THROW(newMacLine(r.as, nullptr, "nop", TokenKind::statementWord, ""), FatalStop);
}

}  // namespace
}  // namespace zelas::test
