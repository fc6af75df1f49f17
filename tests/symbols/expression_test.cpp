#include "symbols/expression.h"

#include <gtest/gtest.h>

#include <string>

#include "diag/messages.h"
#include "symbols/label_table.h"
#include "symbols/line_fixture.h"

namespace zelas::test {
namespace {

struct Result {
  Value value;
  bool resolved;
  std::string err;
};

Result evaluate(LineFixture& f, const std::string& text) {
  f.setLine(text);
  Value v = evaluateExpression(f.as());
  return {v, f.as().exprResolved, f.takeErr()};
}

TEST(Expression, PrecedenceAndAssociativity) {
  LineFixture f;
  struct Case {
    const char* text;
    Value value;
  } cases[] = {
      {"1+2*3", 7},       {"(1+2)*3", 9},    {"2*-3", -6},     {"2--3", 5},        {"-2-3", -5},
      {"8/3", 2},         {"-7/2", -3},      {"~0&0FFh", 255}, {"1|2^3&6", 1},     {"8-2-1", 5},
      {"((((7))))", 7},   {"2*(3+4)-1", 13}, {"100/10/5", 2},  {"'A'+1", 0x42},    {"101b|0Fh", 15},
      {"7 ; comment", 7}, {"-(2+3)", -5},    {"~(1)", -2},     {"1+2 // note", 3}, {"6&3^1", 3},
  };
  for (const Case& c : cases) {
    Result r = evaluate(f, c.text);
    EXPECT_EQ(r.value, c.value) << c.text;
    EXPECT_TRUE(r.resolved) << c.text;
    EXPECT_EQ(r.err, "") << c.text;
  }
}

TEST(Expression, WrapsToThirtyTwoBits) {
  LineFixture f;
  EXPECT_EQ(evaluate(f, "7FFFFFFFh+1").value, kValueMin);
  EXPECT_EQ(evaluate(f, "10000h*10000h").value, 0);
  EXPECT_EQ(evaluate(f, "-80000000h").value, kValueMin);
  // The one quotient that does not fit must not trap.
  Result r = evaluate(f, "80000000h/-1");
  EXPECT_EQ(r.value, kValueMin);
  EXPECT_EQ(r.err, "");
}

TEST(Expression, DivideByZeroReportsAndGivesZero) {
  LineFixture f;
  Result r = evaluate(f, "5/0");
  EXPECT_EQ(r.value, 0);
  EXPECT_TRUE(r.resolved);
  EXPECT_EQ(r.err, warningText("Divide by zero encountered. '5 / 0'.", 3, "5/0"));
  r = evaluate(f, "1+6/0");
  EXPECT_EQ(r.value, 1);
  EXPECT_EQ(r.err, warningText("Divide by zero encountered. '6 / 0'.", 5, "1+6/0"));
}

TEST(Expression, ParenthesisFaults) {
  LineFixture f;
  Result r = evaluate(f, "(1+2");
  EXPECT_EQ(r.value, 3);
  EXPECT_EQ(r.err, "");
  r = evaluate(f, "1+2)");
  EXPECT_EQ(r.value, 3);
  EXPECT_TRUE(r.resolved);
  EXPECT_EQ(r.err, warningText(msg::missingOpenParen, 4, "1+2)"));
}

TEST(Expression, SurplusOperandKeepsLastValue) {
  LineFixture f;
  Result r = evaluate(f, "1 2");
  EXPECT_EQ(r.value, 2);
  EXPECT_TRUE(r.resolved);
  EXPECT_EQ(r.err, warningText(msg::missingOperator, 3, "1 2"));
}

TEST(Expression, MissingOperandsForBinaryOperators) {
  LineFixture f;
  Result r = evaluate(f, "+5");
  EXPECT_EQ(r.value, 5);
  EXPECT_TRUE(r.resolved);
  EXPECT_EQ(r.err, warningText(msg::twoOperandsAdd, 2, "+5"));
  EXPECT_EQ(evaluate(f, "*5").err, warningText(msg::twoOperandsMul, 2, "*5"));
  EXPECT_EQ(evaluate(f, "/5").err, warningText(msg::twoOperandsDiv, 2, "/5"));
  EXPECT_EQ(evaluate(f, "&5").err, warningText(msg::twoOperandsAnd, 2, "&5"));
  EXPECT_EQ(evaluate(f, "^5").err, warningText(msg::twoOperandsXor, 2, "^5"));
  EXPECT_EQ(evaluate(f, "|5").err,
            warningText("Illegal expression, Two operands are required for Bitwise OR.", 2, "|5"));
  EXPECT_EQ(evaluate(f, "5-").err, warningText(msg::twoOperandsSub, 2, "5-"));
}

TEST(Expression, NoOperandAtAllIsIllegal) {
  LineFixture f;
  for (const char* text : {"", "*", "-", "()", "~"}) {
    Result r = evaluate(f, text);
    EXPECT_EQ(r.value, 0) << text;
    EXPECT_FALSE(r.resolved) << text;
    EXPECT_EQ(r.err,
              warningText(msg::illegalExpression, static_cast<int>(std::string(text).size()), text))
        << text;
  }
}

TEST(Expression, StackedUnaryOperatorsLoseTheFirst) {
  LineFixture f;
  Result r = evaluate(f, "--3");
  EXPECT_EQ(r.value, -3);
  EXPECT_EQ(r.err, warningText(msg::noValueToNegate, 2, "--3"));
  r = evaluate(f, "-~3");
  EXPECT_EQ(r.value, -4);
  EXPECT_EQ(r.err, warningText(msg::noValueToNegate, 2, "-~3"));
  r = evaluate(f, "~-3");
  EXPECT_EQ(r.value, -3);
  EXPECT_EQ(r.err, warningText(msg::noValueToComplement, 2, "~-3"));
}

TEST(Expression, DollarIsTheLocationCounter) {
  LineFixture f;
  f.as().pc = 0x1234;
  EXPECT_EQ(evaluate(f, "$").value, 0x1234);
  EXPECT_EQ(evaluate(f, "$+2").value, 0x1236);
  EXPECT_EQ(evaluate(f, "$-$").value, 0);
}

TEST(Expression, StopsAtCommaAndBracketWithoutConsumingThem) {
  LineFixture f;
  Result r = evaluate(f, "a1h , b");
  EXPECT_EQ(r.value, 0xA1);
  EXPECT_EQ(f.rest(), ", b");
  r = evaluate(f, "x+4]");
  EXPECT_FALSE(r.resolved);
  evaluate(f, "3+4]");
  EXPECT_EQ(f.rest(), "]");
}

TEST(Expression, UnknownOperandDiscardsTheRest) {
  LineFixture f;
  Result r = evaluate(f, "1+nowhere*2, 5");
  EXPECT_EQ(r.value, 0);
  EXPECT_FALSE(r.resolved);
  EXPECT_EQ(r.err, warningText("Unable to resolve operand 'nowhere'", 9, "1+nowhere*2, 5"));
  EXPECT_EQ(f.rest(), ", 5");
  // 0AD reads D as a decimal suffix, so it is not a number.
  EXPECT_EQ(evaluate(f, "0AD").err, warningText("Unable to resolve operand '0AD'", 3, "0AD"));
}

TEST(Expression, LabelsInPassTwoCountUsesAndSkipTheirColon) {
  LineFixture f(1);
  f.as().pc = 0x40;
  newLabel(f.as(), "start");
  f.as().pass = 2;
  f.as().reportingEnabled = true;
  Result r = evaluate(f, "start: + 1");
  EXPECT_EQ(r.value, 0x41);
  EXPECT_EQ(r.err, "");
  evaluate(f, "start*2");
  EXPECT_EQ(findLabel(f.as(), "start")->uses, 2);
}

TEST(Expression, PassOneNeitherCountsNorChecksResolution) {
  LineFixture f(1);
  Label* label = newLabel(f.as(), "later");
  label->resolved = false;
  label->value = 9;
  Result r = evaluate(f, "later+1");
  EXPECT_EQ(r.value, 10);
  EXPECT_TRUE(r.resolved);
  EXPECT_EQ(label->uses, 0);
  // A label not yet entered fails quietly in pass 1.
  r = evaluate(f, "ahead+1");
  EXPECT_EQ(r.value, 0);
  EXPECT_FALSE(r.resolved);
  EXPECT_EQ(r.err, "");
}

TEST(Expression, UnresolvedLabelStopsInPassTwo) {
  LineFixture f(1);
  newLabel(f.as(), "size")->resolved = false;
  f.as().pass = 2;
  f.as().reportingEnabled = true;
  Result r = evaluate(f, "size+1");
  EXPECT_EQ(r.value, 0);
  EXPECT_FALSE(r.resolved);
  EXPECT_EQ(r.err, warningText("Label 'size' is currently unresolved.", 4, "size+1"));
  EXPECT_EQ(f.rest(), "+1");
  EXPECT_EQ(findLabel(f.as(), "size")->uses, 1);
}

TEST(Expression, LabelNamedLikeANumberWinsWithMinorWarning) {
  LineFixture f(1);
  f.as().pc = 0x20;
  Result r = evaluate(f, "10h");
  EXPECT_EQ(r.value, 0x10);  // pass 1, before the label is entered: the number
  newLabel(f.as(), "10h");
  f.as().pass = 2;
  f.as().reportingEnabled = true;
  r = evaluate(f, "10h");
  EXPECT_EQ(r.value, 0x20);
  EXPECT_EQ(r.err, warningText("'10h' has been redefined as a label = '20'", 3, "10h"));
  f.as().briefMode = true;
  EXPECT_EQ(evaluate(f, "10h").err, "");
}

TEST(Expression, CharacterConstantOverLengthWarns) {
  LineFixture f;
  Result r = evaluate(f, "'ABC'");
  EXPECT_EQ(r.value, 0x4142);
  EXPECT_EQ(r.err,
            warningText("Character data type cannot exceed 2 characters: 'ABC'", 5, "'ABC'"));
}

// A line of nothing but opening parentheses once had to survive without stack exhaustion.
TEST(Expression, DeepNestingUsesHeapStacks) {
  LineFixture f;
  std::string text = std::string(120, '(') + "1" + std::string(120, ')');
  Result r = evaluate(f, text);
  EXPECT_EQ(r.value, 1);
  EXPECT_EQ(r.err, "");
  text = std::string(127, '-') + "5";
  r = evaluate(f, text);
  EXPECT_EQ(r.value, -5);
}

}  // namespace
}  // namespace zelas::test
