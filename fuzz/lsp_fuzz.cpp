// libFuzzer target of the language server: each input is the byte stream a client sends,
// framed messages and all, fed in-process to a fresh server whose replies are dropped. The
// stream is cut into pieces at the bytes' own values, so that frames also arrive split and
// several at once, and the server works between the pieces as it does between reads.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lsp/server.h"
#include "lsp/transport.h"

namespace {

// The piece size of an empty input; otherwise the first byte chooses it.
constexpr std::size_t kMaxPiece = 4096;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view stream(reinterpret_cast<const char*>(data), size);
  std::size_t replies = 0;
  zelas::lsp::Server server([&replies](const std::string&) { ++replies; });
  zelas::lsp::FrameReader reader;
  zelas::lsp::Frame frame;
  // The first byte sets the piece size; the rest is the stream.
  std::size_t piece = stream.empty() ? kMaxPiece : 1 + static_cast<unsigned char>(stream[0]) * 16;
  if (!stream.empty()) stream.remove_prefix(1);
  while (!stream.empty() && !server.exited()) {
    std::size_t n = std::min(piece, stream.size());
    reader.feed(stream.substr(0, n));
    stream.remove_prefix(n);
    while (reader.next(frame)) server.receive(frame);
    server.work();
  }
  return 0;
}
