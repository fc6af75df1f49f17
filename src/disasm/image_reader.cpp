#include "disasm/image_reader.h"

#include <memory>
#include <optional>
#include <sstream>

#include "diag/messages.h"
#include "disasm/text_format.h"
#include "driver/driver.h"
#include "scan/char_class.h"

namespace zelas::dis {

namespace {

constexpr int kRecordOverhead = 5;  // count, two address bytes, type, checksum
constexpr std::uint8_t kTypeData = 0x00;
constexpr std::uint8_t kTypeEnd = 0x01;
constexpr std::uint8_t kTypeExtendedLinear = 0x04;

// One line of the text, without its line end (a carriage return before it included).
struct TextLine {
  std::string_view text;
  int number = 0;
};

// Splits text into lines; a last line without a line end still counts.
std::vector<TextLine> splitLines(std::string_view text) {
  std::vector<TextLine> lines;
  std::size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({line, ++number});
    start = end + 1;
  }
  return lines;
}

bool isBlankLine(std::string_view line) {
  for (char c : line) {
    if (!isBlank(c)) return false;
  }
  return true;
}

// The bytes of a record's digits after the colon; none when a digit is missing or not hex.
std::optional<std::vector<std::uint8_t>> recordBytes(std::string_view digits) {
  if (digits.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    if (!isHexDigit(digits[i]) || !isHexDigit(digits[i + 1])) return std::nullopt;
    bytes.push_back(
        static_cast<std::uint8_t>(hexDigitValue(digits[i]) * 16 + hexDigitValue(digits[i + 1])));
  }
  return bytes;
}

// Collects the bytes of an image and refuses addresses beyond the limit or written twice.
class ImageBuilder {
 public:
  explicit ImageBuilder(const ImageLimit& limit) : limit_(limit) {}

  // The message for a byte at address that may not be stored, or "" when it was stored.
  std::string store(std::size_t address, std::uint8_t byte) {
    std::string fault = checkAddress(address);
    if (!fault.empty()) return fault;
    if (address >= image_.size()) {
      image_.resize(address + 1, 0);
      written_.resize(address + 1, false);
    }
    if (written_[address]) return formatText(msg::hexOverlap, static_cast<unsigned>(address));
    image_[address] = byte;
    written_[address] = true;
    return {};
  }

  std::vector<std::uint8_t> take() { return std::move(image_); }

 private:
  std::string checkAddress(std::size_t address) const {
    if (address >= static_cast<std::size_t>(kMaxImageSize)) {
      return formatText(msg::imageBeyondLimit, static_cast<unsigned>(address),
                        static_cast<unsigned>(kMaxImageSize));
    }
    if (!limit_.beyondRom && address >= limit_.romSize) {
      return formatText(msg::imageBeyondRom, static_cast<unsigned>(address),
                        static_cast<unsigned>(limit_.romSize),
                        std::string(limit_.productId).c_str());
    }
    return {};
  }

  const ImageLimit& limit_;
  std::vector<std::uint8_t> image_;
  std::vector<bool> written_;
};

std::string atLine(std::string_view name, int line, const std::string& message) {
  return formatText(msg::disAtLine, std::string(name).c_str(), line, message.c_str());
}

// The state of a HEX read between records.
struct HexState {
  std::size_t segmentBase = 0;  // from the last extended linear address record
  bool ended = false;
};

std::string checkRecordFrame(const std::vector<std::uint8_t>& bytes) {
  int count = static_cast<int>(bytes.size()) - kRecordOverhead;
  if (count < 0) return msg::hexMalformed;
  if (count != bytes[0]) return formatText(msg::hexCountMismatch, count, bytes[0]);
  unsigned sum = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
  unsigned needed = (0u - sum) & 0xFFu;
  if (bytes.back() != needed) return formatText(msg::hexBadChecksum, bytes.back(), needed);
  return {};
}

std::string applyDataRecord(const std::vector<std::uint8_t>& bytes, const HexState& state,
                            ImageBuilder& builder) {
  std::size_t address = state.segmentBase + (static_cast<std::size_t>(bytes[1]) << 8) + bytes[2];
  for (std::size_t i = 0; i < bytes[0]; ++i) {
    std::string fault = builder.store(address + i, bytes[4 + i]);
    if (!fault.empty()) return fault;
  }
  return {};
}

// One record: its frame, then what its type does.
std::string applyRecord(std::string_view line, HexState& state, ImageBuilder& builder) {
  if (line.empty() || line[0] != ':') return msg::hexNoColon;
  std::optional<std::vector<std::uint8_t>> bytes = recordBytes(line.substr(1));
  if (!bytes) return msg::hexMalformed;
  std::string fault = checkRecordFrame(*bytes);
  if (!fault.empty()) return fault;
  const std::vector<std::uint8_t>& b = *bytes;
  switch (b[3]) {
    case kTypeData:
      return applyDataRecord(b, state, builder);
    case kTypeEnd:
      if (b[0] != 0) return msg::hexBadEndRecord;
      state.ended = true;
      return {};
    case kTypeExtendedLinear:
      if (b[0] != 2 || b[1] != 0 || b[2] != 0) return msg::hexBadExtended;
      state.segmentBase = ((static_cast<std::size_t>(b[4]) << 8) | b[5]) << 16;
      return {};
    default:
      return formatText(msg::hexUnsupportedType, b[3]);
  }
}

std::string extensionOf(std::string_view fileName) {
  std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string ext;
  for (char c : fileName.substr(dot + 1)) ext += foldCase(c);
  return ext;
}

}  // namespace

ImageFormat detectFormat(std::string_view text, std::string_view fileName) {
  for (char c : text) {
    if (isBlank(c) || c == '\n') continue;
    return c == ':' ? ImageFormat::intelHex : ImageFormat::romDump;
  }
  return extensionOf(fileName) == "hex" ? ImageFormat::intelHex : ImageFormat::romDump;
}

ImageRead readIntelHex(std::string_view text, std::string_view name, const ImageLimit& limit) {
  ImageRead result;
  result.format = ImageFormat::intelHex;
  ImageBuilder builder(limit);
  HexState state;
  std::vector<TextLine> lines = splitLines(text);
  for (const TextLine& line : lines) {
    // Blank lines are tolerated anywhere; after the end record nothing else is.
    if (isBlankLine(line.text)) continue;
    std::string fault =
        state.ended ? std::string(msg::hexAfterEnd) : applyRecord(line.text, state, builder);
    if (!fault.empty()) {
      result.error = atLine(name, line.number, fault);
      return result;
    }
  }
  if (!state.ended) {
    // A file cut short must never pass for a complete image.
    result.error = atLine(name, static_cast<int>(lines.size()) + 1, msg::hexNoEnd);
    return result;
  }
  result.image = builder.take();
  return result;
}

ImageRead readRomDump(std::string_view text, std::string_view name, const ImageLimit& limit) {
  ImageRead result;
  result.format = ImageFormat::romDump;
  ImageBuilder builder(limit);
  std::size_t address = 0;
  for (const TextLine& line : splitLines(text)) {
    std::istringstream tokens{std::string(line.text)};
    std::string token;
    while (tokens >> token) {
      std::optional<std::vector<std::uint8_t>> bytes = recordBytes(token);
      std::string fault;
      if (!bytes || bytes->size() != 1) {
        fault = formatText(msg::romBadToken, token.c_str());
      } else {
        fault = builder.store(address++, (*bytes)[0]);
      }
      if (!fault.empty()) {
        result.error = atLine(name, line.number, fault);
        return result;
      }
    }
  }
  result.image = builder.take();
  return result;
}

ImageRead readImageText(std::string_view text, std::string_view name, const ImageLimit& limit) {
  if (detectFormat(text, name) == ImageFormat::intelHex) return readIntelHex(text, name, limit);
  return readRomDump(text, name, limit);
}

ImageRead readImageFile(FileSystem& files, const std::string& path, const ImageLimit& limit) {
  ImageRead result;
  OpenFailure failure = OpenFailure::notFound;
  std::unique_ptr<InputFile> file = files.openForReading(path, &failure);
  if (file == nullptr) {
    result.error =
        formatText(failure == OpenFailure::notRegular ? msg::disNotRegular : msg::disUnableToOpen,
                   path.c_str());
    return result;
  }
  std::string text;
  char block[1 << 16];
  for (;;) {
    ReadResult r = file->read(block, sizeof block);
    if (r.failed) {
      result.error = formatText(msg::disReadFailed, path.c_str());
      return result;
    }
    if (r.count == 0) break;
    text.append(block, r.count);
  }
  return readImageText(text, path, limit);
}

}  // namespace zelas::dis
