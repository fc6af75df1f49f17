#include "statements/conditionals.h"

#include <gtest/gtest.h>

#include <string>

#include "diag/messages.h"
#include "statements/defined_symbols.h"
#include "support/test_support.h"
#include "symbols/line_fixture.h"

namespace zelas::test {
namespace {

// Runs one conditional directive on a line holding its operand.
void run(LineFixture& f, void (*handler)(Assembler&), const std::string& operand = "") {
  f.setLine(operand);
  handler(f.as());
}
void runIfdef(LineFixture& f, bool wantDefined, const std::string& operand) {
  f.setLine(operand);
  ifdefDirective(f.as(), wantDefined);
}

TEST(Conditionals, IfElseEndifSelectsOneBranch) {
  LineFixture f;
  run(f, ifDirective, "0");
  EXPECT_EQ(f.as().assemblyEnabled, 0);
  run(f, elseDirective);
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  run(f, endifDirective);
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  EXPECT_EQ(f.as().condDepth, 0);
  EXPECT_EQ(f.as().condStack.size(), 1u);
}

TEST(Conditionals, RepeatedElseTogglesAgain) {
  LineFixture f;
  run(f, ifDirective, "2-1");
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  run(f, elseDirective);
  EXPECT_EQ(f.as().assemblyEnabled, 0);
  run(f, elseDirective);
  EXPECT_EQ(f.as().assemblyEnabled, 1);  // the third section goes with the first
  run(f, endifDirective);
}

TEST(Conditionals, NestedInsideSkippedBranchStaysSkipped) {
  LineFixture f;
  run(f, ifDirective, "0");
  run(f, ifDirective, "1");  // holds, but lies in a skipped branch
  EXPECT_EQ(f.as().assemblyEnabled, 0);
  run(f, elseDirective);
  EXPECT_EQ(f.as().assemblyEnabled, 0);
  run(f, endifDirective);
  EXPECT_EQ(f.as().assemblyEnabled, 0);
  run(f, elseDirective);  // the outer else
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  run(f, endifDirective);
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  EXPECT_EQ(f.takeErr(), "");
}

TEST(Conditionals, DefinedSymbolsIgnoreCase) {
  LineFixture f;
  addDefinedSymbol(f.as().definedSymbols, "true");
  run(f, defineDirective, "Foo ; trailing text is ignored");
  runIfdef(f, true, "FOO");
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  run(f, endifDirective);
  runIfdef(f, false, "foo");
  EXPECT_EQ(f.as().assemblyEnabled, 0);
  run(f, endifDirective);
  runIfdef(f, true, "true");
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  run(f, endifDirective);
  EXPECT_FALSE(isDefinedSymbol(f.as().definedSymbols, "Fo"));
}

TEST(Conditionals, MissingNames) {
  LineFixture f;
  runIfdef(f, true, "");
  EXPECT_EQ(f.as().assemblyEnabled, 0);
  run(f, endifDirective);
  runIfdef(f, false, "");
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  run(f, endifDirective);
  EXPECT_EQ(f.takeErr(), "");
  run(f, defineDirective, "");
  EXPECT_EQ(f.takeErr(), "\nError : Missing token to define\n0.0: \n");
}

TEST(Conditionals, DefineInSkippedBranchStillDefines) {
  LineFixture f;
  run(f, ifDirective, "0");
  run(f, defineDirective, "hidden");
  run(f, endifDirective);
  EXPECT_TRUE(isDefinedSymbol(f.as().definedSymbols, "HIDDEN"));
}

TEST(Conditionals, UnevaluableIfFails) {
  LineFixture f;
  run(f, ifDirective, "nowhere");
  EXPECT_EQ(f.as().assemblyEnabled, 0);
  EXPECT_EQ(f.takeErr(), warningText("Unable to resolve operand 'nowhere'", 7, "nowhere"));
}

// A stray else once switched assembly off for the rest of the run without a word.
TEST(Conditionals, StrayElseAndEndifAreReportedAndIgnored) {
  LineFixture f;
  run(f, elseDirective);
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  EXPECT_EQ(f.as().condStack[0], 1);
  EXPECT_EQ(f.takeErr(), "\nError : ELSE without a matching IF; ignored.\n0.0: \n");
  run(f, endifDirective);
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  EXPECT_EQ(f.as().condDepth, 0);
  EXPECT_EQ(f.takeErr(), "\nError : ENDIF without a matching IF; ignored.\n0.0: \n");
}

TEST(Conditionals, OpenLevelsAreClosedAtPassEnd) {
  LineFixture f(1);
  run(f, ifDirective, "0");
  run(f, ifDirective, "1");
  closeConditionalsAtEnd(f.as());  // pass 1: silently
  EXPECT_EQ(f.takeErr(), "");
  EXPECT_EQ(f.as().condDepth, 0);
  EXPECT_EQ(f.as().assemblyEnabled, 1);
  f.as().pass = 2;
  f.as().reportingEnabled = true;
  run(f, ifDirective, "0");
  closeConditionalsAtEnd(f.as());
  EXPECT_EQ(f.takeErr(),
            "\nError : Missing ENDIF: 1 conditional block(s) open at end of source.\n0.1: 0\n");
  EXPECT_EQ(f.as().assemblyEnabled, 1);
}

TEST(Conditionals, NestingBeyondTheLimitIsFatal) {
  LineFixture f;
  for (int i = 0; i < kMaxCondDepth; ++i) openConditional(f.as(), true);
  EXPECT_EQ(f.as().condDepth, kMaxCondDepth);
  EXPECT_THROW(openConditional(f.as(), true), FatalStop);
  EXPECT_EQ(f.as().condDepth, kMaxCondDepth);
  EXPECT_EQ(f.takeErr(), "\nError : Conditional nesting deeper than 4096 levels.\n0.0: \n");
}

TEST(Conditionals, HundredThousandNestedIfsStopWithStatusOne) {
  std::string source;
  for (int i = 0; i < 100000; ++i) source += " if 1\n";
  Assembly a = assembleSource(source);
  EXPECT_EQ(a.run.status, 1);
  EXPECT_EQ(a.run.err, "\nError : Conditional nesting deeper than 4096 levels.\n4097.5:  if 1\n");
}

}  // namespace
}  // namespace zelas::test
