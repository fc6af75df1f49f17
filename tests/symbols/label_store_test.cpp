// The label store: records kept in entry order and found again by scope and name.
#include "symbols/label_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zelas::test {
namespace {

std::vector<std::string> namesInStoreOrder(const LabelStore& store) {
  std::vector<std::string> names;
  store.forEach([&names](const Label& label) { names.push_back(label.name); });
  return names;
}

// A global and a local of the same name, and locals of the same name under two scopes whose
// numbers lie next to each other, are separate records; a record's place never moves while
// thousands more are entered after it.
TEST(LabelStore, FindsEachRecordInItsOwnScopeOnly) {
  LabelStore store;
  Label& first = store.add(nullptr, "first", false);
  store.openScope(first);
  Label& second = store.add(nullptr, "second", false);
  store.openScope(second);
  Label& firstLoop = store.add(&first, ".loop1", false);
  Label& secondLoop = store.add(&second, ".loop1", false);
  // Scope numbers are consecutive, so ".loop5" of first is placed where ".loop1" of second is.
  Label& firstLoop5 = store.add(&first, ".loop5", false);
  for (int i = 0; i < 5000; ++i) store.add(nullptr, "g" + std::to_string(i), false);
  EXPECT_EQ(store.find(nullptr, "first"), &first);
  EXPECT_EQ(store.find(&first, ".loop1"), &firstLoop);
  EXPECT_EQ(store.find(&second, ".loop1"), &secondLoop);
  EXPECT_EQ(store.find(&first, ".loop5"), &firstLoop5);
  EXPECT_EQ(store.find(&second, ".loop5"), nullptr);
  EXPECT_EQ(store.find(nullptr, ".loop1"), nullptr);
  EXPECT_EQ(store.find(&first, "first"), nullptr);
  EXPECT_EQ(store.find(nullptr, "g4999")->name, "g4999");
  EXPECT_EQ(store.find(nullptr, "g5000"), nullptr);
  EXPECT_EQ(firstLoop.name, ".loop1");
  EXPECT_EQ(firstLoop.scope, &first);
}

// takeNextEntered follows entry order only while it is asked for the next record; it never
// answers for another name or scope, and starts again from the first record when rewound.
TEST(LabelStore, TakesRecordsInEntryOrderUntilAskedOutOfTurn) {
  LabelStore store;
  Label& a = store.add(nullptr, "a", false);
  store.openScope(a);
  Label& x = store.add(&a, ".x", false);
  Label& b = store.add(nullptr, "b", false);
  EXPECT_EQ(store.takeNextEntered(nullptr, "a"), &a);
  EXPECT_EQ(store.takeNextEntered(nullptr, ".x"), nullptr);  // a local needs its scope
  EXPECT_EQ(store.takeNextEntered(&a, ".x"), &x);
  EXPECT_EQ(store.takeNextEntered(nullptr, "c"), nullptr);
  EXPECT_EQ(store.takeNextEntered(nullptr, "b"), &b);
  EXPECT_EQ(store.takeNextEntered(nullptr, "b"), nullptr);  // past the last record
  store.rewindEntryOrder();
  EXPECT_EQ(store.takeNextEntered(nullptr, "b"), nullptr);
  EXPECT_EQ(store.takeNextEntered(nullptr, "a"), &a);
}

TEST(LabelStore, VisitsEveryRecordOnce) {
  LabelStore store;
  for (const char* name : {"z", "K1", "a", "K2"}) store.add(nullptr, name, name[0] == 'K');
  std::vector<std::string> names = namesInStoreOrder(store);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"K1", "K2", "a", "z"}));
}

}  // namespace
}  // namespace zelas::test
