#include "symbols/label_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "symbols/line_fixture.h"

namespace zelas::test {
namespace {

std::vector<std::string> globalNames(Assembler& as) {
  std::vector<std::string> names;
  for (const Label* label : sortedGlobals(as.labels)) names.push_back(label->name);
  return names;
}

void startPassTwo(LineFixture& f) {
  resetLocalScope(f.as());
  f.as().pass = 2;
  f.as().reportingEnabled = true;
}

TEST(LabelTable, GlobalsAreExactAndInByteOrder) {
  LineFixture f(1);
  for (const char* name : {"zeta", "Alpha", "beta", "loop", "Loop", "LOOP", "_x", "9a", "beta2"}) {
    newLabel(f.as(), name);
  }
  EXPECT_EQ(globalNames(f.as()), (std::vector<std::string>{"9a", "Alpha", "LOOP", "Loop", "_x",
                                                           "beta", "beta2", "loop", "zeta"}));
  EXPECT_EQ(f.takeErr(), "");
}

TEST(LabelTable, NewRecordTakesThePc) {
  LineFixture f(1);
  f.as().pc = 0x123;
  Label* label = newLabel(f.as(), "here");
  EXPECT_EQ(label->value, 0x123);
  EXPECT_EQ(label->kind, ' ');
  EXPECT_TRUE(label->resolved);
  EXPECT_EQ(label->uses, 0);
  EXPECT_EQ(findLabel(f.as(), "here"), label);
  EXPECT_EQ(findLabel(f.as(), "Here"), nullptr);
  EXPECT_EQ(defineLabel(f.as(), ""), nullptr);
}

TEST(LabelTable, LocalsBelongToTheirGlobal) {
  LineFixture f(1);
  f.as().pc = 1;
  newLabel(f.as(), "first");
  Label* firstLoop = newLabel(f.as(), ".loop");
  f.as().pc = 2;
  newLabel(f.as(), "second");
  Label* secondLoop = newLabel(f.as(), ".loop");
  EXPECT_NE(firstLoop, secondLoop);
  EXPECT_EQ(findLabel(f.as(), ".loop"), secondLoop);

  startPassTwo(f);
  EXPECT_EQ(findLabel(f.as(), ".loop"), nullptr);  // empty scope at the start of pass 2
  defineLabel(f.as(), "first");
  EXPECT_EQ(findLabel(f.as(), ".loop"), firstLoop);
  EXPECT_EQ(defineLabel(f.as(), ".loop"), firstLoop);
  defineLabel(f.as(), "second");  // the last global of the source keeps its locals too
  EXPECT_EQ(findLabel(f.as(), ".loop")->value, 2);
  EXPECT_EQ(f.takeErr(), "");
}

TEST(LabelTable, DuplicatesAreReportedInPassOneAndReturnTheFirstRecord) {
  LineFixture f(1);
  Label* first = newLabel(f.as(), "dup");
  newLabel(f.as(), ".x");
  EXPECT_EQ(newLabel(f.as(), "dup"), first);
  EXPECT_EQ(f.takeErr(), warningText("Label 'dup' is already defined", 0, ""));
  EXPECT_FALSE(f.as().reportingEnabled);  // forced through, then cleared
  EXPECT_EQ(f.as().warningCount, 1);
  // The locals after the duplicate join the first record's scope.
  EXPECT_NE(newLabel(f.as(), ".x"), nullptr);
  EXPECT_EQ(f.takeErr(), warningText("Local '.x' is already defined", 0, ""));
  Label* y = newLabel(f.as(), ".y");
  startPassTwo(f);
  defineLabel(f.as(), "dup");
  EXPECT_EQ(findLabel(f.as(), ".y"), y);
}

TEST(LabelTable, LocalBeforeAnyGlobalIsAnErrorAndLostInPassTwo) {
  LineFixture f(1);
  Label* orphan = newLabel(f.as(), ".early");
  ASSERT_NE(orphan, nullptr);
  EXPECT_EQ(
      f.takeErr(),
      "\nError : Local labels can not be defined outside of a global label's scope!\n0.0: \n");
  EXPECT_EQ(f.as().errorCount, 1);
  EXPECT_EQ(findLabel(f.as(), ".early"), orphan);  // still usable in pass 1 until a global
  newLabel(f.as(), "main");
  EXPECT_EQ(findLabel(f.as(), ".early"), nullptr);
  startPassTwo(f);
  EXPECT_EQ(defineLabel(f.as(), ".early"), nullptr);
  EXPECT_EQ(f.takeErr(), "");
}

// Pass 2 can meet a global label that pass 1 skipped (a conditional on a forward reference).
TEST(LabelTable, GlobalUnknownToPassOneGivesNoLabelAndAnEmptyScope) {
  LineFixture f(1);
  newLabel(f.as(), "known");
  newLabel(f.as(), ".x");
  startPassTwo(f);
  defineLabel(f.as(), "known");
  EXPECT_EQ(defineLabel(f.as(), "surprise"), nullptr);
  EXPECT_EQ(findLabel(f.as(), ".x"), nullptr);
  EXPECT_EQ(findLabel(f.as(), "surprise"), nullptr);
  EXPECT_EQ(f.takeErr(), "");
}

}  // namespace
}  // namespace zelas::test
