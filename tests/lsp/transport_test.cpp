// Framing of the base protocol: bodies cut out of a byte stream however it arrives, and frames
// that can't be read given up without losing the ones after them.
#include "lsp/transport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelas::lsp {
namespace {

// Every frame the reader hands out after being fed the pieces in turn; a malformed one as "!".
std::vector<std::string> framesOf(const std::vector<std::string>& pieces) {
  FrameReader reader;
  std::vector<std::string> bodies;
  Frame frame;
  for (const std::string& piece : pieces) {
    reader.feed(piece);
    while (reader.next(frame)) bodies.push_back(frame.malformed ? "!" : frame.body);
  }
  return bodies;
}

using Bodies = std::vector<std::string>;

TEST(FrameReader, CutsBodiesOutOfTheStreamHoweverItArrives) {
  EXPECT_EQ(framesOf({"Content-Length: 2\r\n\r\n{}Content-Length: 3\r\n\r\n[1]"}),
            (Bodies{"{}", "[1]"}));
  EXPECT_EQ(framesOf({"Content-Len", "gth: 2\r", "\n\r\n{", "}"}), (Bodies{"{}"}));
  // Header names are case-insensitive, other headers are ignored.
  EXPECT_EQ(framesOf({"content-type: x\r\ncontent-length:  4 \r\n\r\nnull"}), (Bodies{"null"}));
  EXPECT_EQ(framesOf({"Content-Length: 0\r\n\r\n"}), (Bodies{""}));
}

TEST(FrameReader, GivesUpUnreadableHeadersAndReadsOn) {
  const std::string good = "Content-Length: 2\r\n\r\n{}";
  EXPECT_EQ(framesOf({"X-Other: 1\r\n\r\n" + good}), (Bodies{"!", "{}"}));
  EXPECT_EQ(framesOf({"Content-Length: 12a\r\n\r\n" + good}), (Bodies{"!", "{}"}));
  EXPECT_EQ(framesOf({"Content-Length: -1\r\n\r\n" + good}), (Bodies{"!", "{}"}));
  // Endless header text is dropped once it passes the header limit, not gathered for ever.
  EXPECT_EQ(framesOf({std::string(kMaxHeaderBlock + 10, 'x'), "\r\n\r\n" + good}),
            (Bodies{"!", "!", "{}"}));
}

// A frame claiming more than the limit is skipped as it arrives, never held in memory.
TEST(FrameReader, SkipsTheBodyOfAnOversizedFrame) {
  const std::string huge = "Content-Length: " + std::to_string(kMaxFrameBody + 3) + "\r\n\r\n";
  FrameReader reader;
  reader.feed(huge);
  Frame frame;
  ASSERT_TRUE(reader.next(frame));
  EXPECT_TRUE(frame.malformed);
  std::string block(1 << 20, 'z');
  for (std::size_t sent = 0; sent < kMaxFrameBody; sent += block.size()) reader.feed(block);
  reader.feed("zzzContent-Length: 2\r\n\r\n{}");
  ASSERT_TRUE(reader.next(frame));
  EXPECT_EQ(frame.body, "{}");
  EXPECT_EQ(framesOf({"Content-Length: 99999999999999999999999\r\n\r\n"}), (Bodies{"!"}));
}

TEST(FrameReader, FramesOutgoingBodies) {
  EXPECT_EQ(frameMessage("{\"a\":1}"), "Content-Length: 7\r\n\r\n{\"a\":1}");
}

}  // namespace
}  // namespace zelas::lsp
