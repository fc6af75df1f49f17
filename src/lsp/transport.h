// The base protocol of the language server: messages framed by a "Content-Length" header on a
// byte stream. The reader is fed bytes as they arrive and hands out whole bodies, so the server
// can take everything that is waiting before it does any work.
#pragma once

#include <cstddef>
#include <cstdio>
#include <deque>
#include <string>
#include <string_view>

namespace zelas::lsp {

// Largest body accepted: a buffer of many thousand lines fits many times over, and a frame that
// claims more is never held in memory.
inline constexpr std::size_t kMaxFrameBody = 64u << 20;
// Largest header block: real clients send one or two short lines.
inline constexpr std::size_t kMaxHeaderBlock = 4096;

// One unit taken from the stream: a body, or a header block that could not be read.
struct Frame {
  bool malformed = false;  // no usable Content-Length, or a length beyond kMaxFrameBody
  std::string body;
};

class FrameReader {
 public:
  // Adds bytes from the stream.
  void feed(std::string_view bytes);
  // Moves the next complete frame into frame; false when none is complete yet.
  bool next(Frame& frame);

 private:
  bool takeHeaders(Frame& frame);
  bool takeBody(Frame& frame);

  std::string pending_;         // bytes not yet taken into a frame
  std::size_t bodyLength_ = 0;  // the body being waited for, once its headers were read
  bool inBody_ = false;
  std::size_t skipping_ = 0;  // body bytes of an oversized frame still to be thrown away
};

// The Content-Length of a header block (the lines before the blank line). ok is false when it
// has none, or none that is a decimal number; tooLarge when the number passes kMaxFrameBody.
struct ContentLength {
  bool ok = false;
  bool tooLarge = false;
  std::size_t length = 0;
};
ContentLength contentLength(std::string_view headers);

// body framed for the stream.
std::string frameMessage(std::string_view body);

}  // namespace zelas::lsp
