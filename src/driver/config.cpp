#include "driver/config.h"

#include <cstdio>
#include <memory>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/listing.h"
#include "scan/char_class.h"
#include "scan/line_reader.h"
#include "scan/line_state.h"
#include "scan/scanner.h"
#include "scan/source_file.h"
#include "symbols/literals.h"

namespace zelas {

namespace {

void reportMissingFile(Assembler& as, const std::string& path) {
  // Named on the command line, so no line of a file is to blame.
  if (!recordDriverReport(as, Severity::warning, false, msg::configNotFound,
                          driverMessage(msg::configNotFound, path.c_str()).c_str())) {
    std::fprintf(as.err, msg::configMissingConsole, path.c_str());
  }
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

}  // namespace

void readConfiguration(Assembler& as, const std::string& path, bool isExplicit) {
  // The reader has a line buffer and file of its own; the caller's line state comes back
  // afterwards, so the first source line never sees the configuration's text.
  SavedLineState saved(as);
  LineBuffer buffer;
  useLineBuffer(as, buffer);
  // A configuration that is not a regular file is not read, as one that is not there.
  std::unique_ptr<SourceFile> file = SourceFile::open(as.files, path);
  if (file == nullptr) {
    if (isExplicit) reportMissingFile(as, path);
    return;
  }
  as.sourceFile = file.get();
  as.configurationPath = path;
  as.inputsRead.push_back({path, file->id()});
  listPrintf(as, msg::configNotice, path.c_str());
  while (readLine(as)) {
    readSetting(as);
    endLineReports(as);
  }
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
  std::optional<Value> value = numberValue(token);
  if (!value) return std::nullopt;
  return wrapMul(*value, multiplier);
}

}  // namespace zelas
