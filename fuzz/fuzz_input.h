// The layout of a zelas_fuzz input, shared by the fuzz target and the regression tests that
// replay saved inputs.
//
// An input is three option bytes followed by up to three texts:
//
//   byte 0   option bits: 1 -b, 2 -e, 4 -p, 8 -t, 16 -c fuzz.cfg, 32 -dSIM, 64 source named
//            "prog.asm" instead of "prog"
//   byte 1   product row for -p (modulo the table size; with the top bit set, an unknown ID)
//   byte 2   value of -t, as a signed byte
//   rest     the source prog.asm, then optionally "\n@@include\n" and the text of inc.asm, then
//            optionally "\n@@config\n" and the configuration text (zelas.cfg, or fuzz.cfg with -c)
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/memory_file_system.h"
#include "target/product.h"

namespace zelas::fuzz {

inline constexpr std::string_view kIncludeMarker = "\n@@include\n";
inline constexpr std::string_view kConfigMarker = "\n@@config\n";
inline constexpr std::size_t kHeaderSize = 3;

enum OptionBit : std::uint8_t {
  kBrief = 1,
  kNoRomCheck = 2,
  kProduct = 4,
  kTab = 8,
  kConfigOption = 16,
  kDefine = 32,
  kAsmSuffix = 64,
};

// One decoded input; the texts point into the caller's data.
struct FuzzInput {
  std::uint8_t options = 0;
  std::uint8_t product = 0;
  std::int8_t tab = 0;
  std::string_view source;
  std::string_view include;
  std::string_view config;
  bool hasInclude = false;
  bool hasConfig = false;
};

// Cuts text at the first marker: what comes before stays in text, what follows goes to after.
inline bool splitAt(std::string_view& text, std::string_view marker, std::string_view& after) {
  std::size_t at = text.find(marker);
  if (at == std::string_view::npos) return false;
  after = text.substr(at + marker.size());
  text = text.substr(0, at);
  return true;
}

// Decodes an input; one shorter than the header is an empty source with no options.
inline FuzzInput parseFuzzInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in;
  if (size < kHeaderSize) return in;
  in.options = data[0];
  in.product = data[1];
  in.tab = static_cast<std::int8_t>(data[2]);
  std::string_view rest(reinterpret_cast<const char*>(data + kHeaderSize), size - kHeaderSize);
  in.hasConfig = splitAt(rest, kConfigMarker, in.config);
  in.hasInclude = splitAt(rest, kIncludeMarker, in.include);
  in.source = rest;
  return in;
}

inline std::string productArgument(std::uint8_t selector) {
  if (selector & 0x80) return "-pPX999";
  std::span<const Product> table = productTable();
  return "-p" + std::string(table[selector % table.size()].id);
}

// The command line the option bits ask for.
inline std::vector<std::string> fuzzCommandLine(const FuzzInput& in) {
  std::vector<std::string> args;
  if (in.options & kBrief) args.emplace_back("-b");
  if (in.options & kNoRomCheck) args.emplace_back("-e");
  if (in.options & kProduct) args.push_back(productArgument(in.product));
  if (in.options & kTab) args.push_back("-t" + std::to_string(in.tab));
  if (in.options & kConfigOption) args.emplace_back("-cfuzz.cfg");
  if (in.options & kDefine) args.emplace_back("-dSIM");
  args.emplace_back(in.options & kAsmSuffix ? "prog.asm" : "prog");
  return args;
}

// Puts the files of the input in files, where the run reads them.
inline void addFuzzFiles(MemoryFileSystem& files, const FuzzInput& in) {
  files.addFile("prog.asm", std::string(in.source));
  if (in.hasInclude) files.addFile("inc.asm", std::string(in.include));
  if (in.hasConfig) {
    files.addFile(in.options & kConfigOption ? "fuzz.cfg" : "zelas.cfg", std::string(in.config));
  }
}

}  // namespace zelas::fuzz
