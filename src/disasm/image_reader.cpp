#include "disasm/image_reader.h"

#include <algorithm>
#include <memory>
#include <optional>

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

// The longest line taken: a HEX record holds at most 521 characters, a dump line of the
// assembler 24. A longer one is refused, so that no input, whatever its size, is held whole.
constexpr std::size_t kMaxImageLine = 1 << 16;

// Hands each line of a text to take(line, number), without its line end (nor a carriage return
// before it); a last line without a line end still counts. take returns a fault, or "" to go on.
template <typename Take>
std::string forEachLine(std::string_view text, int& number, Take&& take) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string fault = take(line, ++number);
    if (!fault.empty()) return fault;
    start = end + 1;
  }
  return {};
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

// The format a first non-blank character starts.
ImageFormat formatStartedBy(char c) {
  return c == ':' ? ImageFormat::intelHex : ImageFormat::romDump;
}

ImageFormat formatByName(std::string_view fileName) {
  return extensionOf(fileName) == "hex" ? ImageFormat::intelHex : ImageFormat::romDump;
}

// Reads an image line by line, as the lines come: the text is never held whole, only the image.
class LineReader {
 public:
  LineReader(std::string_view name, const ImageLimit& limit) : name_(name), builder_(limit) {}

  // Takes the next line; false once a fault has ended the read.
  bool take(std::string_view line, int number) {
    if (!fault_.empty()) return false;
    if (!format_) {
      std::size_t first = line.find_first_not_of(" \t");
      if (first == std::string_view::npos) return true;  // blank: either format takes it
      format_ = formatStartedBy(line[first]);
    }
    std::string fault = *format_ == ImageFormat::intelHex ? takeRecord(line) : takeBytes(line);
    if (!fault.empty()) fault_ = atLine(name_, number, fault);
    return fault_.empty();
  }

  // The image read from lines lines; a text of blank lines only goes by the file's extension.
  ImageRead finish(int lines) {
    ImageRead result;
    result.format = format_.value_or(formatByName(name_));
    result.error = fault_;
    // A HEX file cut short must never pass for a complete image.
    if (result.ok() && result.format == ImageFormat::intelHex && !hex_.ended) {
      result.error = atLine(name_, lines + 1, msg::hexNoEnd);
    }
    if (result.ok()) result.image = builder_.take();
    return result;
  }

  // Forces the format, for the readers of one format.
  void expect(ImageFormat format) { format_ = format; }

 private:
  std::string takeRecord(std::string_view line) {
    // Blank lines are tolerated anywhere; after the end record nothing else is.
    if (isBlankLine(line)) return {};
    if (hex_.ended) return msg::hexAfterEnd;
    return applyRecord(line, hex_, builder_);
  }

  // Two-digit bytes separated by blanks.
  std::string takeBytes(std::string_view line) {
    std::size_t pos = 0;
    while ((pos = line.find_first_not_of(" \t\v\f\r", pos)) != std::string_view::npos) {
      std::size_t end = std::min(line.find_first_of(" \t\v\f\r", pos), line.size());
      std::string_view token = line.substr(pos, end - pos);
      pos = end;
      std::optional<std::vector<std::uint8_t>> bytes = recordBytes(token);
      if (!bytes || bytes->size() != 1) {
        return formatText(msg::romBadToken, std::string(token).c_str());
      }
      std::string fault = builder_.store(address_++, (*bytes)[0]);
      if (!fault.empty()) return fault;
    }
    return {};
  }

  std::string name_;
  ImageBuilder builder_;
  std::optional<ImageFormat> format_;
  HexState hex_;
  std::size_t address_ = 0;
  std::string fault_;
};

ImageRead readText(std::string_view text, std::string_view name, const ImageLimit& limit,
                   std::optional<ImageFormat> format) {
  LineReader reader(name, limit);
  if (format) reader.expect(*format);
  int lines = 0;
  forEachLine(text, lines, [&reader](std::string_view line, int number) {
    return reader.take(line, number) ? std::string() : std::string("stop");
  });
  return reader.finish(lines);
}

}  // namespace

ImageFormat detectFormat(std::string_view text, std::string_view fileName) {
  for (char c : text) {
    if (isBlank(c) || c == '\n') continue;
    return formatStartedBy(c);
  }
  return formatByName(fileName);
}

ImageRead readIntelHex(std::string_view text, std::string_view name, const ImageLimit& limit) {
  return readText(text, name, limit, ImageFormat::intelHex);
}

ImageRead readRomDump(std::string_view text, std::string_view name, const ImageLimit& limit) {
  return readText(text, name, limit, ImageFormat::romDump);
}

ImageRead readImageText(std::string_view text, std::string_view name, const ImageLimit& limit) {
  return readText(text, name, limit, std::nullopt);
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
  LineReader reader(path, limit);
  std::string pending;  // the start of a line whose end is not read yet
  std::vector<char> block(1 << 16);
  int lines = 0;
  for (;;) {
    ReadResult r = file->read(block.data(), block.size());
    if (r.failed) {
      result.error = formatText(msg::disReadFailed, path.c_str());
      return result;
    }
    if (r.count == 0) break;
    pending.append(block.data(), r.count);
    std::size_t lastEnd = pending.rfind('\n');
    if (lastEnd != std::string::npos) {
      bool going = true;
      forEachLine(std::string_view(pending).substr(0, lastEnd + 1), lines,
                  [&](std::string_view line, int number) {
                    going = reader.take(line, number);
                    return going ? std::string() : std::string("stop");
                  });
      if (!going) return reader.finish(lines);
      pending.erase(0, lastEnd + 1);
    }
    if (pending.size() > kMaxImageLine) {
      result.error = atLine(path, lines + 1, formatText(msg::disLineTooLong, kMaxImageLine));
      return result;
    }
  }
  forEachLine(pending, lines, [&reader](std::string_view line, int number) {
    return reader.take(line, number) ? std::string() : std::string("stop");
  });
  return reader.finish(lines);
}

}  // namespace zelas::dis
