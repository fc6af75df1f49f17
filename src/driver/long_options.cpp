#include "driver/long_options.h"

#include <charconv>
#include <string_view>

#include "diag/messages.h"
#include "driver/driver.h"
#include "target/product.h"

namespace zelas {

namespace {

enum class LongKind {
  help,
  version,
  listProducts,
  color,
  diagnostics,
  deps,
  includePath,
  symbols,
  sarif,
  outputDir,
  maxReports
};

struct LongOptionRow {
  std::string_view name;
  LongKind kind;
  bool takesValue;
};

// clang-format off
constexpr LongOptionRow kLongOptions[] = {
    // name           kind                    takes a value
    {"help",          LongKind::help,         false},
    {"version",       LongKind::version,      false},
    {"list-products", LongKind::listProducts, false},
    {"color",         LongKind::color,        true},
    {"diagnostics",   LongKind::diagnostics,  true},
    {"deps",          LongKind::deps,         true},
    {"include-path",  LongKind::includePath,  true},
    {"symbols",       LongKind::symbols,      true},
    {"sarif",         LongKind::sarif,        true},
    {"output-dir",    LongKind::outputDir,    true},
    {"max-reports",   LongKind::maxReports,   true},
};
// clang-format on

constexpr const char* kHelpLines[] = {
    "Usage: zelas [options] source\n",
    "Assembles source.asm into source.lst, source.rom and source.hex.\n",
    "\n",
    "  -b                   brief: leave out the minor warnings\n",
    "  -cFILE, -c FILE      read the configuration from FILE instead of zelas.cfg\n",
    "  -dSYMBOL             define SYMBOL for ifdef and ifndef\n",
    "  -e                   do not check addresses against the product's ROM size\n",
    "  -pPRODUCT            select the product by its ID\n",
    "  -tN, -t N            N spaces per tab stop\n",
    "  --color=WHEN         colour warning, error and note on standard error:\n",
    "                       'auto' (on a terminal, unless NO_COLOR is set), 'always', 'never'\n",
    "  --deps=FILE          write a make rule naming the files read to FILE\n",
    "  --diagnostics=STYLE  report as 'classic' (default) or 'gnu' (FILE:LINE:COL: ...)\n",
    "  --include-path=DIR   search DIR for included files not found (repeatable)\n",
    "  --output-dir=DIR     write the listing, .rom and .hex (and --deps, --symbols and\n",
    "                       --sarif files named without a folder) into DIR\n",
    "  --symbols=FILE       write every label to FILE as 'name: equ value' lines\n",
    "  --sarif=FILE         write every report of the run to FILE as a SARIF 2.1.0 log\n",
    "  --max-reports=N      stop the run after N reports shown (default 10000; 0: no bound)\n",
    "  --list-products      list the products: family, RAM ranges and ROM size, and exit\n",
    "  --help               show this help and exit\n",
    "  --version            show the version and exit\n",
};

const LongOptionRow* findLongOption(std::string_view name) {
  for (const LongOptionRow& row : kLongOptions) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

// The value of a long option: after "=", or else the next argument.
std::optional<std::string> optionValue(const std::vector<std::string>& args, std::size_t& i,
                                       std::string_view name, std::FILE* err) {
  std::size_t equals = args[i].find('=');
  if (equals != std::string::npos) return args[i].substr(equals + 1);
  if (i + 1 >= args.size()) {
    std::fprintf(err, msg::missingOptionValue, std::string(name).c_str());
    return std::nullopt;
  }
  return args[++i];
}

// A count of reports: decimal digits only, at most what an int holds.
std::optional<int> reportCount(const std::string& value) {
  int n = 0;
  auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc{} || end != value.data() + value.size() || n < 0 || value[0] == '+') {
    return std::nullopt;
  }
  return n;
}

std::optional<ColorMode> colorMode(const std::string& value) {
  if (value == "auto") return ColorMode::automatic;
  if (value == "always") return ColorMode::always;
  if (value == "never") return ColorMode::never;
  return std::nullopt;
}

// False for a value the option does not take.
bool acceptedValue(LongKind kind, const std::string& value) {
  if (kind == LongKind::diagnostics) return value == "gnu" || value == "classic";
  if (kind == LongKind::color) return colorMode(value).has_value();
  if (kind == LongKind::maxReports) return reportCount(value).has_value();
  return !value.empty();
}

bool applyValue(LongKind kind, const std::string& value, const std::string& option,
                LongOptions& options, std::FILE* err) {
  if (!acceptedValue(kind, value)) {
    std::fprintf(err, msg::badOptionValue, value.c_str(), option.c_str());
    return false;
  }
  switch (kind) {
    case LongKind::diagnostics:
      options.diagnostics = value == "gnu" ? DiagnosticStyle::gnu : DiagnosticStyle::classic;
      break;
    case LongKind::color:
      options.color = *colorMode(value);
      break;
    case LongKind::deps:
      options.depsFile = value;
      break;
    case LongKind::includePath:
      options.includePath.push_back(value);
      break;
    case LongKind::symbols:
      options.symbolsFile = value;
      break;
    case LongKind::sarif:
      options.sarifFile = value;
      break;
    case LongKind::outputDir:
      options.outputDir = value;
      break;
    case LongKind::maxReports:
      options.maxReports = *reportCount(value);
      break;
    case LongKind::help:
    case LongKind::version:
    case LongKind::listProducts:
      break;
  }
  return true;
}

// An option without a value: what it asks for.
void setFlag(LongKind kind, LongOptions& options) {
  if (kind == LongKind::help) options.help = true;
  if (kind == LongKind::version) options.version = true;
  if (kind == LongKind::listProducts) options.listProducts = true;
}

// "00h..7Fh" or "00h..4Fh,F0h..FFh": the product's RAM ranges, in ascending order.
std::string ramRangesText(const Product& product) {
  std::string text;
  char range[32];
  for (const RamRange& r : product.ramRanges) {
    std::snprintf(range, sizeof range, "%s%02Xh..%02Xh", text.empty() ? "" : ",", toUnsigned(r.low),
                  toUnsigned(r.high));
    text += range;
  }
  return text;
}

}  // namespace

bool isLongOption(const std::string& arg) {
  return arg.size() > 2 && arg.compare(0, 2, "--") == 0;
}

bool takeLongOption(const std::vector<std::string>& args, std::size_t& i, LongOptions& options,
                    std::FILE* err) {
  const std::string& arg = args[i];
  std::size_t equals = arg.find('=');
  std::string option = arg.substr(0, equals);
  const LongOptionRow* row = findLongOption(std::string_view(option).substr(2));
  if (row == nullptr) {
    std::fprintf(err, msg::unknownOption, option.c_str());
    return false;
  }
  if (!row->takesValue) {
    if (equals != std::string::npos) {
      std::fprintf(err, msg::badOptionValue, arg.substr(equals + 1).c_str(), option.c_str());
      return false;
    }
    setFlag(row->kind, options);
    return true;
  }
  std::optional<std::string> value = optionValue(args, i, option, err);
  return value.has_value() && applyValue(row->kind, *value, option, options, err);
}

void printHelp(std::FILE* out) {
  for (const char* line : kHelpLines) std::fputs(line, out);
}

std::string_view versionNumber() {
  std::string_view version = kVersionText;
  while (!version.empty() && version.back() == ' ') version.remove_suffix(1);
  return version;
}

void printVersion(std::FILE* out) {
  std::string_view version = versionNumber();
  std::fprintf(out, "zelas %.*s\n", static_cast<int>(version.size()), version.data());
  std::fputs(msg::licenceNotice, out);
}

void printProductList(std::FILE* out) {
  for (const Product& product : productTable()) {
    std::fprintf(out, "%-6.*s family %s  RAM %-17s  ROM %04Xh\n",
                 static_cast<int>(product.id.size()), product.id.data(),
                 product.family == CpuFamily::A ? "A" : "B", ramRangesText(product).c_str(),
                 toUnsigned(product.romSize));
  }
}

}  // namespace zelas
