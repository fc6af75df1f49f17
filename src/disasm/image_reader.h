// Reading a ROM image back from the assembler's output files: an Intel HEX file (data, end and
// extended linear address records) or a plain hexadecimal dump (.rom).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/file_system.h"

namespace zelas::dis {

enum class ImageFormat { intelHex, romDump };

// Where the image may reach: up to the product's ROM, or (for images made with -e) up to the
// largest image the assembler builds.
struct ImageLimit {
  std::size_t romSize = 0;
  bool beyondRom = false;  // -e: addresses at or above romSize are accepted
  std::string_view productId;
};

// The image read, or the message that names the fault (empty when the read succeeded).
struct ImageRead {
  std::vector<std::uint8_t> image;
  ImageFormat format = ImageFormat::romDump;
  std::string error;
  bool ok() const { return error.empty(); }
};

// HEX when the first non-blank character is ':'; an empty text goes by the file's extension.
ImageFormat detectFormat(std::string_view text, std::string_view fileName);
// Reads an Intel HEX text; name is used in messages. Addresses not covered by a record hold 00h.
ImageRead readIntelHex(std::string_view text, std::string_view name, const ImageLimit& limit);
// Reads a dump of two-digit hexadecimal bytes separated by blanks and line ends.
ImageRead readRomDump(std::string_view text, std::string_view name, const ImageLimit& limit);
// Detects the format and reads the text.
ImageRead readImageText(std::string_view text, std::string_view name, const ImageLimit& limit);
// Reads the file at path through files (a message when it cannot be opened or read).
ImageRead readImageFile(FileSystem& files, const std::string& path, const ImageLimit& limit);

}  // namespace zelas::dis
