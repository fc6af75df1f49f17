#include "lsp/transport.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace zelas::lsp {

namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kLengthField = "content-length:";

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

ContentLength contentLength(std::string_view headers) {
  ContentLength result;
  while (!headers.empty()) {
    std::size_t end = headers.find("\r\n");
    std::string_view line = headers.substr(0, end);
    headers.remove_prefix(end == std::string_view::npos ? headers.size() : end + 2);
    if (!startsWithNoCase(line, kLengthField)) continue;
    std::string_view digits = trimBlanks(line.substr(kLengthField.size()));
    std::size_t value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ptr != digits.data() + digits.size()) return ContentLength{};
    if (ec == std::errc::result_out_of_range) return ContentLength{false, true, SIZE_MAX};
    if (value > kMaxFrameBody) return ContentLength{false, true, value};
    if (ec != std::errc{}) return ContentLength{};
    result = ContentLength{true, false, value};
  }
  return result;
}

void FrameReader::feed(std::string_view bytes) {
  // The body of an oversized frame is dropped as it arrives, never gathered.
  std::size_t dropped = std::min(skipping_, bytes.size());
  skipping_ -= dropped;
  bytes.remove_prefix(dropped);
  pending_.append(bytes);
}

bool FrameReader::next(Frame& frame) {
  if (skipping_ > 0) return false;
  return inBody_ ? takeBody(frame) : takeHeaders(frame);
}

// A header block too long to be real is given up as malformed, and the stream is read again
// from its next blank line, where the next frame may start.
bool FrameReader::takeHeaders(Frame& frame) {
  std::size_t end = pending_.find(kHeaderEnd);
  if (end == std::string::npos) {
    if (pending_.size() <= kMaxHeaderBlock) return false;
    // Keep the last bytes: the blank line may be arriving split.
    pending_.erase(0, pending_.size() - (kHeaderEnd.size() - 1));
    frame = Frame{true, {}};
    return true;
  }
  ContentLength length = contentLength(std::string_view(pending_).substr(0, end));
  pending_.erase(0, end + kHeaderEnd.size());
  if (length.tooLarge) {
    skipping_ = length.length;
    std::size_t dropped = std::min(skipping_, pending_.size());
    pending_.erase(0, dropped);
    skipping_ -= dropped;
  }
  if (!length.ok) {
    frame = Frame{true, {}};
    return true;
  }
  bodyLength_ = length.length;
  inBody_ = true;
  return takeBody(frame);
}

bool FrameReader::takeBody(Frame& frame) {
  if (pending_.size() < bodyLength_) return false;
  frame = Frame{false, pending_.substr(0, bodyLength_)};
  pending_.erase(0, bodyLength_);
  bodyLength_ = 0;
  inBody_ = false;
  return true;
}

std::string frameMessage(std::string_view body) {
  std::string framed = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  framed.append(body);
  return framed;
}

}  // namespace zelas::lsp
