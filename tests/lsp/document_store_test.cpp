// Document texts and the places in them that the protocol names.
#include "lsp/document_store.h"

#include <gtest/gtest.h>

namespace zelas::lsp {
namespace {

TEST(DocumentUri, MapsFileUrisToPathsAndBack) {
  EXPECT_EQ(uriToPath("file:///projects/u/prog.asm"), "/projects/u/prog.asm");
  EXPECT_EQ(uriToPath("file:///a%20b/c%3a.asm"), "/a b/c:.asm");
  EXPECT_EQ(uriToPath("file://localhost/x.asm"), "/x.asm");
  EXPECT_EQ(uriToPath("untitled:1"), std::nullopt);
  EXPECT_EQ(uriToPath("file://elsewhere/x.asm"), std::nullopt);
  // A broken escape is kept as written rather than read past the end.
  EXPECT_EQ(uriToPath("file:///x%2"), "/x%2");
  EXPECT_EQ(pathToUri("/a b/c:#.asm"), "file:///a%20b/c%3A%23.asm");
  EXPECT_EQ(uriToPath(pathToUri("/dir/ä.asm")), "/dir/ä.asm");
}

TEST(DocumentText, FindsLinesAndOffsetsInsideTheText) {
  const std::string text = "ab\r\ncde\n\nf";
  EXPECT_EQ(lineOf(text, 0), "ab");
  EXPECT_EQ(lineOf(text, 1), "cde");
  EXPECT_EQ(lineOf(text, 2), "");
  EXPECT_EQ(lineOf(text, 3), "f");
  EXPECT_EQ(lineOf(text, 9), "");
  EXPECT_EQ(offsetOf(text, {1, 2}), 6u);
  // Positions outside the text are moved to its nearest place.
  EXPECT_EQ(offsetOf(text, {1, 99}), 7u);
  EXPECT_EQ(offsetOf(text, {0, -4}), 0u);
  EXPECT_EQ(offsetOf(text, {42, 0}), text.size());
}

TEST(DocumentStore, KeepsTheLatestTextOfOpenDocumentsOnly) {
  DocumentStore store;
  store.open("file:///p.asm", "one", 1);
  EXPECT_TRUE(store.change("file:///p.asm", "two", 2));
  EXPECT_FALSE(store.change("file:///q.asm", "x", 1));
  ASSERT_NE(store.findByPath("/p.asm"), nullptr);
  EXPECT_EQ(store.findByPath("/p.asm")->text, "two");
  store.close("file:///p.asm");
  EXPECT_EQ(store.find("file:///p.asm"), nullptr);
}

}  // namespace
}  // namespace zelas::lsp
