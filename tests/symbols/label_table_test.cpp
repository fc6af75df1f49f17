#include "symbols/label_table.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Numbered families (f0.., K0.., .l0..) take neighbouring slots; names that hash alike (K1, K01,
// K001 share stem and number) and a table grown many times over must still give exact answers.
TEST(LabelTable, LargeNumberedFamiliesAndNamesThatHashAlikeStayExact) {
  LineFixture f(1);
  std::vector<Label*> globals;
  for (int i = 0; i < 20000; ++i) {
    f.as().pc = i;
    globals.push_back(newLabel(f.as(), "f" + std::to_string(i)));
    if (i % 4 == 0) newLabel(f.as(), ".l" + std::to_string(i % 7));
  }
  std::vector<Label*> alike;
  for (const char* name : {"K1", "K01", "K001", "K0001", "k1", "K1000000001", "1K"}) {
    alike.push_back(newLabel(f.as(), name));
  }
  EXPECT_EQ(f.takeErr(), "");
  for (int i = 0; i < 20000; i += 997) {
    Label* found = findLabel(f.as(), "f" + std::to_string(i));
    ASSERT_EQ(found, globals[static_cast<std::size_t>(i)]);
    EXPECT_EQ(found->value, i);
  }
  int i = 0;
  for (const char* name : {"K1", "K01", "K001", "K0001", "k1", "K1000000001", "1K"}) {
    EXPECT_EQ(findLabel(f.as(), name), alike[static_cast<std::size_t>(i++)]) << name;
  }
  for (const char* absent : {"f20000", "f-1", "K00001", "K2", "f", "K", "f00"}) {
    EXPECT_EQ(findLabel(f.as(), absent), nullptr) << absent;
  }
  // The locals of f0 (.l0) and f4 (.l4) are separate records under their own globals.
  startPassTwo(f);
  defineLabel(f.as(), "f0");
  Label* l0 = findLabel(f.as(), ".l0");
  defineLabel(f.as(), "f4");
  ASSERT_NE(l0, nullptr);
  EXPECT_EQ(findLabel(f.as(), ".l0"), nullptr);
  EXPECT_EQ(findLabel(f.as(), ".l4")->value, 4);
}

// Locals are placed by their scope, four places per scope and family: scopes with many locals
// run into the places of the scopes after them, and every local must still be found in its own
// scope only, in both passes; an equ label, kept apart from the others, too.
TEST(LabelTable, LocalsOfCrowdedScopesAndEquLabelsStayExact) {
  LineFixture f(1);
  struct Scope {
    Label* global;
    std::vector<Label*> locals;
  };
  std::vector<Scope> scopes;
  for (int s = 0; s < 3000; ++s) {
    f.as().pc = s;
    // The statement after the label field decides where the store keeps the record.
    f.setLine(s % 5 == 0 ? "equ 0" : "nop");
    Scope scope{defineLabel(f.as(), "g" + std::to_string(s)), {}};
    for (int l = 0; l < s % 13; ++l) {
      scope.locals.push_back(newLabel(f.as(), ".l" + std::to_string(l)));
    }
    scopes.push_back(scope);
  }
  EXPECT_EQ(f.takeErr(), "");
  EXPECT_EQ(globalNames(f.as()).size(), 3000u);
  for (int pass = 1; pass <= 2; ++pass) {
    if (pass == 2) startPassTwo(f);
    for (std::size_t s = 0; s < scopes.size(); ++s) {
      ASSERT_EQ(defineLabel(f.as(), "g" + std::to_string(s)), scopes[s].global);
      ASSERT_EQ(findLabel(f.as(), "g" + std::to_string(s)), scopes[s].global);
      for (std::size_t l = 0; l < 13; ++l) {
        Label* found = findLabel(f.as(), ".l" + std::to_string(l));
        ASSERT_EQ(found, l < scopes[s].locals.size() ? scopes[s].locals[l] : nullptr)
            << "scope " << s << " local " << l << " pass " << pass;
      }
    }
    // Pass 1 enters again the labels it meets; the scopes stay as they were.
    if (pass == 1) {
      EXPECT_NE(f.takeErr(), "");
    }
  }
}

// Every length from one byte to beyond two words, with one byte changed at every position: a
// lookup must see each of them, and never bytes beyond the names.
TEST(LabelTable, LookupSeesEveryByteOfTheName) {
  for (std::size_t length = 1; length <= 24; ++length) {
    LineFixture f(1);
    std::string a(length, 'n');
    Label* entered = newLabel(f.as(), a);
    EXPECT_EQ(findLabel(f.as(), std::string(a)), entered) << length;
    EXPECT_EQ(findLabel(f.as(), a + "n"), nullptr) << length;
    EXPECT_EQ(findLabel(f.as(), a.substr(1)), nullptr) << length;
    for (std::size_t at = 0; at < length; ++at) {
      std::string b = a;
      b[at] = 'x';
      EXPECT_EQ(findLabel(f.as(), b), nullptr) << length << " at " << at;
      std::string local = "." + b;
      EXPECT_EQ(findLabel(f.as(), local), nullptr) << length << " at " << at;
    }
  }
}

// Numbers in operands skip the lookup while no label is named like one; once such a label
// exists, a later lookup (pass 2) must find it.
TEST(LabelTable, LabelsNamedLikeNumbersAreFound) {
  LineFixture f(1);
  newLabel(f.as(), "start");
  EXPECT_EQ(findLabel(f.as(), "10h"), nullptr);
  f.as().pc = 0x42;
  Label* named = newLabel(f.as(), "10h");
  EXPECT_EQ(findLabel(f.as(), "10h"), named);
  EXPECT_EQ(newLabel(f.as(), "10h"), named);  // still a duplicate
  EXPECT_NE(f.takeErr().find("Label '10h' is already defined"), std::string::npos);
  startPassTwo(f);
  EXPECT_EQ(findLabel(f.as(), "10h")->value, 0x42);
  EXPECT_EQ(findLabel(f.as(), "11h"), nullptr);
}

// Pass 2 takes the label fields in pass 1's order without a lookup; out of that order (a
// conditional that went the other way), the index still gives the right record.
TEST(LabelTable, PassTwoFindsLabelsInAndOutOfPassOneOrder) {
  LineFixture f(1);
  Label* a = newLabel(f.as(), "a");
  Label* la = newLabel(f.as(), ".x");
  Label* b = newLabel(f.as(), "b");
  Label* lb = newLabel(f.as(), ".x");
  Label* c = newLabel(f.as(), "c");
  startPassTwo(f);
  EXPECT_EQ(defineLabel(f.as(), "a"), a);
  EXPECT_EQ(defineLabel(f.as(), ".x"), la);
  EXPECT_EQ(defineLabel(f.as(), "c"), c);  // b skipped
  EXPECT_EQ(defineLabel(f.as(), ".x"), nullptr);
  EXPECT_EQ(defineLabel(f.as(), "b"), b);
  EXPECT_EQ(defineLabel(f.as(), ".x"), lb);
  EXPECT_EQ(defineLabel(f.as(), "a"), a);
  EXPECT_EQ(defineLabel(f.as(), ".x"), la);
}

// The order compares the first eight bytes at once, then whole names: ties on that prefix and
// bytes from 80h up (which sort after ASCII) must come out as a byte-wise comparison does.
TEST(LabelTable, SortedNamesFollowByteOrderBeyondTheFirstEightBytes) {
  LineFixture f(1);
  std::vector<std::string> names = {"abcdefghZ",    "abcdefgh", "abcdefgha", "abcdefg",
                                    "abcdefgh\xC3", "\xC3x",    "Zz",        "abcdefgh_"};
  for (const std::string& name : names) newLabel(f.as(), name);
  newLabel(f.as(), ".local");  // never listed among the globals
  std::vector<std::string> expected = names;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(globalNames(f.as()), expected);
}

}  // namespace
}  // namespace zelas::test
