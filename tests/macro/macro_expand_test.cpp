// The expanded-line builder and the argument reader.
#include "macro/macro_expand.h"

#include <gtest/gtest.h>

#include "macro/macro.h"
#include "macro/macro_define.h"
#include "support/test_support.h"

namespace zelas::test {
namespace {

struct Builder : LineHarness {
  Builder() {
    as.pass = 1;
    macro = newMacro(as, "m");
    newMacParam(as, macro, "cnt");
  }
  // Records body text as the macro's one line and builds it for expansion number count, with
  // its fixed head joined as a recorded macro has it. The line must read the same when every
  // token is joined one by one.
  std::string build(const std::string& body, const std::string& argument, int count) {
    macro->lines.clear();
    setLine(body);
    recordBodyLine(as, *macro);
    macro->params[0].argument = argument;
    macro->expansionCount = count;
    BodyLine tokenByToken = macro->lines[0];
    joinFixedHeads(*macro);
    buildLine(as, &macro->lines[0], macro);
    EXPECT_EQ(as.scanPos, as.lineStart);
    std::string line = as.lineStart;
    bool reporting = as.reportingEnabled;
    as.reportingEnabled = false;  // the cut, if any, was reported above
    buildLine(as, &tokenByToken, macro);
    as.reportingEnabled = reporting;
    EXPECT_EQ(std::string(as.lineStart), line) << body;
    return line;
  }
  Macro* macro;
};

TEST(BuildLine, LocalLabelSuffixKeepsLaterColumns) {
  Builder b;
  EXPECT_EQ(b.build("lp:    mov a, cnt", "5", 1), "lp#1:  mov a, 5");
  EXPECT_EQ(b.build("lp:    mov a, cnt", "5", 2), "lp#2:  mov a, 5");
  // Ten and more expansions need one more column.
  EXPECT_EQ(b.build("lp:    mov a, cnt", "5", 12), "lp#12: mov a, 5");
}

TEST(BuildLine, CarryCutsEqualBlanksToOneAndPassesTheRestOn) {
  Builder b;
  // Two blanks before mov against a carry of 2: cut to one, carry 1 left; the single blank in
  // front of a is shorter than the carry and stays, and so does the one before cnt.
  EXPECT_EQ(b.build("lp:  mov a, cnt", "7", 1), "lp#1: mov a, 7");
  // Blanks longer than the carry: the carry is spent at once.
  EXPECT_EQ(b.build("lp:   nop  ; x", "", 3), "lp#3: nop  ; x");
}

TEST(BuildLine, ReferenceGetsSuffixAndColonAndTrailingTextIsKept) {
  Builder b;
  b.macro->lines.clear();
  b.setLine("top: nop");
  recordBodyLine(b.as, *b.macro);
  b.setLine("    jmp top   ; back");
  recordBodyLine(b.as, *b.macro);
  b.macro->expansionCount = 4;
  buildLine(b.as, &b.macro->lines[1], b.macro);
  EXPECT_STREQ(b.as.lineStart, "    jmp top#4:   ; back");
}

TEST(BuildLine, FixedHeadStopsAtTheFirstParameterOrLocalLabel) {
  Builder b;
  EXPECT_EQ(b.build("  mov a, [x+cnt] ; n", "3", 1), "  mov a, [x+3] ; n");
  EXPECT_EQ(b.macro->lines[0].fixedHead, "  mov a, [x+");
  EXPECT_EQ(b.build("lp: jmp lp", "", 9), "lp#9: jmp lp#9:");
  EXPECT_EQ(b.macro->lines[0].fixedTokens, 0u);
}

TEST(BuildLine, ArgumentWithBlanksIsInsertedAsWritten) {
  Builder b;
  EXPECT_EQ(b.build("  db cnt,1", "'x' + 1  ", 1), "  db 'x' + 1  ,1");
}

TEST(BuildLine, OverlongLineIsCutAt255AndReportedOnce) {
  Builder b;
  b.enableReports();
  std::string argument(250, 'x');
  std::string line = b.build("  db cnt, cnt ; comment", argument, 1);
  EXPECT_EQ(line.size(), 255u);
  EXPECT_EQ(line, "  db " + argument);
  std::string err = b.errText();
  EXPECT_EQ(err,
            "\nWarning : Expanded macro line exceeds maximum line length; cut to 255 "
            "characters.\n0.0: " +
                line + "\n");
  EXPECT_EQ(b.as.warningCount, 1);
}

TEST(BuildLine, LineThatFitsOnlyWithoutItsTrailingTextIsReported) {
  Builder b;
  b.enableReports();
  std::string argument(240, 'y');
  std::string line = b.build("  db cnt          ; a comment that no longer fits", argument, 1);
  EXPECT_EQ(line.size(), 255u);
  EXPECT_EQ(line.substr(0, 245), "  db " + argument);
  EXPECT_EQ(b.as.warningCount, 1);
  // Exactly 255 characters fit without a report.
  b.build("  db cnt", std::string(250, 'z'), 1);
  EXPECT_EQ(b.as.warningCount, 1);
}

TEST(BuildLine, WithoutMacroIsInternalError) {
  Builder b;
  EXPECT_THROW(buildLine(b.as, &b.macro->lines.emplace_back(), nullptr), FatalStop);
  EXPECT_THROW(resolveMacro(b.as, nullptr), FatalStop);
}

// Behind a label, a statement word that begins with a character no token begins with is first
// tried as a macro name: its report expands the tabs of the line, and the statement is then read
// again from the same character of the expanded text.
TEST(MacroCall, BadCharacterOnATabbedLineIsReadAgainFromTheSamePlace) {
  Assembly a = assembleSource("lab:\t@\tnop\n");
  EXPECT_EQ(listingBody(a.lst),
            "**** Warning : Expecting an AlphaNumeric or Operator: Found '@'\n"
            "**** Warning : Expecting an AlphaNumeric or Operator: Found '@'\n"
            "**** Warning : Illegal or unknown instruction ''.\n"
            "0000            lab:    @       nop\n");
  EXPECT_EQ(a.run.err,
            "\nWarning : Expecting an AlphaNumeric or Operator: Found '@'\n"
            "1.8: lab:    @       nop\n"
            "\nWarning : Expecting an AlphaNumeric or Operator: Found '@'\n"
            "1.8: lab:    @       nop\n"
            "\nWarning : Illegal or unknown instruction ''.\n"
            "1.9: lab:    @       nop\n");
}

TEST(ReadArgument, StopsAtCommaSemicolonOrBackslashKeepingBlanks) {
  LineHarness h;
  h.setLine("a + 1  , b");
  EXPECT_EQ(readArgument(h.as), "a + 1  ");
  EXPECT_EQ(h.rest(), ", b");
  h.setLine("5 ; comment");
  EXPECT_EQ(readArgument(h.as), "5 ");
  EXPECT_EQ(h.rest(), "");
  h.setLine("x\\y");
  EXPECT_EQ(readArgument(h.as), "x");
  EXPECT_EQ(h.rest(), "\\y");
  // Quotes protect nothing: the comma inside the literal ends the argument.
  h.setLine("',',1");
  EXPECT_EQ(readArgument(h.as), "'");
  h.setLine("");
  EXPECT_EQ(readArgument(h.as), "");
}

}  // namespace
}  // namespace zelas::test
