// The long options (--name or --name=value): opt-in toolchain features on top of the classic
// single-letter options, which they leave untouched.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/assembler.h"
#include "diag/color.h"

namespace zelas {

// What the long options of a command line asked for.
struct LongOptions {
  bool help = false;
  bool version = false;
  bool listProducts = false;
  DiagnosticStyle diagnostics = DiagnosticStyle::classic;
  // Without --color nothing is coloured, so that the console text stays as it always was.
  ColorMode color = ColorMode::never;
  std::optional<std::string> depsFile;
  std::optional<std::string> symbolsFile;
  std::optional<std::string> sarifFile;
  std::optional<std::string> outputDir;  // where the listing, .rom and .hex go
  std::vector<std::string> includePath;
  int maxReports = kDefaultMaxReports;
};

// True for an argument that is a long option ("--" followed by a name).
bool isLongOption(const std::string& arg);
// Takes the long option args[i] (and its value from args[i + 1] when written apart, advancing i).
// Writes the message to err and returns false for an unknown option or a bad or missing value.
bool takeLongOption(const std::vector<std::string>& args, std::size_t& i, LongOptions& options,
                    std::FILE* err);
// The --help text: every option, one line each.
void printHelp(std::FILE* out);
// The version number without the banner's trailing blank: "1.94".
std::string_view versionNumber();
// The --version text: "zelas VERSION", then the copyright and the licence.
void printVersion(std::FILE* out);
// The --list-products text: one line per row of the product table, in its order.
void printProductList(std::FILE* out);

}  // namespace zelas
