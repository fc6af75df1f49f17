#include "driver/config.h"

#include <cstdio>
#include <memory>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/listing.h"
#include "scan/char_class.h"
#include "scan/scanner.h"
#include "scan/source_file.h"
#include "symbols/literals.h"

namespace zelas {

namespace {

// Gives the configuration reader a line buffer and file of its own, and the caller's line state
// back afterwards, so that the first source line never sees the configuration's text.
class ConfigLineState {
 public:
  explicit ConfigLineState(Assembler& as)
      : as_(as),
        sourceFile_(as.sourceFile),
        lineStart_(as.lineStart),
        scanPos_(as.scanPos),
        lineNumber_(as.lineNumber) {
    buffer_[0] = '\0';
    as.lineStart = buffer_.data();
    as.scanPos = buffer_.data();
    as.lineNumber = 0;
  }
  ~ConfigLineState() {
    as_.sourceFile = sourceFile_;
    as_.lineStart = lineStart_;
    as_.scanPos = scanPos_;
    as_.lineNumber = lineNumber_;
  }
  ConfigLineState(const ConfigLineState&) = delete;
  ConfigLineState& operator=(const ConfigLineState&) = delete;

 private:
  Assembler& as_;
  SourceFile* sourceFile_;
  char* lineStart_;
  char* scanPos_;
  int lineNumber_;
  LineBuffer buffer_{};
};

void reportMissingFile(Assembler& as, const std::string& path) {
  std::fprintf(as.err, msg::configMissingConsole, path.c_str());
  listPrintf(as, msg::configMissingListing, path.c_str());
  ++as.warningCount;
}

// tab <value> | fillrom <value>; any other line is ignored.
void readSetting(Assembler& as) {
  skipBlanks(as, true);
  if (atLineEnd(as)) return;
  if (matchKeyword(as, "tab", MatchMode::delimited)) {
    std::optional<Value> value = parseConfigValue(as);
    if (value) {
      as.tabWidth = *value;
    } else {
      reportWarning(as, msg::badConfigTab, as.lineStart, as.tabWidth);
    }
  } else if (matchKeyword(as, "fillrom", MatchMode::delimited)) {
    std::optional<Value> value = parseConfigValue(as);
    if (value) {
      as.fillValue = *value;
    } else {
      reportWarning(as, msg::badConfigFill, as.lineStart, toUnsigned(as.fillValue));
    }
  }
}

// The number rule of the source language: the last character is the radix suffix.
std::optional<Value> radixValue(std::string_view token) {
  switch (token.back()) {
    case 'B':
    case 'b':
      if (isBinaryNumber(token)) return binaryValue(token);
      return std::nullopt;
    case 'D':
    case 'd':
      if (isDecimalNumber(token)) return decimalValue(token.substr(0, token.size() - 1));
      return std::nullopt;
    case 'H':
    case 'h':
      if (isHexNumber(token)) return hexValue(token);
      return std::nullopt;
    default:
      if (isDecimalDigit(token.front()) && isDecimalNumber(token)) return decimalValue(token);
      return std::nullopt;
  }
}

}  // namespace

void readConfiguration(Assembler& as, const std::string& path, bool isExplicit) {
  ConfigLineState lineState(as);
  std::unique_ptr<SourceFile> file = SourceFile::open(path);
  if (file == nullptr) {
    if (isExplicit) reportMissingFile(as, path);
    return;
  }
  as.sourceFile = file.get();
  listPrintf(as, msg::configNotice, path.c_str());
  while (readLine(as)) readSetting(as);
}

std::optional<Value> parseConfigValue(Assembler& as) {
  std::string_view token = readToken(as, true);
  // Also refuses an empty token, a sign and "=".
  if (token.empty() || !isHexDigit(token.front())) return std::nullopt;
  Value multiplier = 1;
  if (token.back() == 'K' || token.back() == 'k') {
    token.remove_suffix(1);
    multiplier = 1024;
  }
  std::optional<Value> value = radixValue(token);
  if (!value) return std::nullopt;
  return wrapMul(*value, multiplier);
}

}  // namespace zelas
