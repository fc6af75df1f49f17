#include "driver/feeder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "core/assembler.h"
#include "diag/gnu_style.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "driver/include_search.h"
#include "macro/macro.h"
#include "macro/macro_expand.h"
#include "scan/line_state.h"
#include "scan/scanner.h"
#include "scan/source_file.h"
#include "statements/dispatcher.h"

namespace zelas {

namespace {

// Counts one open level of a kind for the lifetime of the guard.
class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

// Reading the listing while it is written would feed every listed line back in, and each of
// those lines would be listed again: the listing would grow until the disk is full.
bool isTheListing(const Assembler& as, const std::string& path) {
  struct stat source;
  struct stat listing;
  return as.listFile != nullptr && stat(path.c_str(), &source) == 0 &&
         fstat(fileno(as.listFile), &listing) == 0 && source.st_dev == listing.st_dev &&
         source.st_ino == listing.st_ino;
}

}  // namespace

int expandedLinesAllowed(const Assembler& as) {
  const long long byFileLines = static_cast<long long>(kExpandedLinesPerFileLine) * as.fileLines;
  return static_cast<int>(
      std::min<long long>(kMaxExpandedLines, std::max<long long>(kFreeExpandedLines, byFileLines)));
}

void feedSource(Assembler& as, const std::string& path) {
  if (as.includeDepth >= kMaxIncludeDepth) {
    reportFatal(as, msg::includeTooDeep, kMaxIncludeDepth, path.c_str());
  }
  if (as.includeDepth > 0 && ++as.includedFiles > kMaxIncludedFiles) {
    reportFatal(as, msg::tooManyIncludes, kMaxIncludedFiles, path.c_str());
  }
  if (isTheListing(as, path)) reportFatal(as, msg::includesListing, path.c_str());
  SavedLineState saved(as);
  std::unique_ptr<SourceFile> file = SourceFile::open(path);
  if (file == nullptr) {
    // The line state is still the include statement's, which the report points at.
    if (!recordDriverReport(as, Severity::fatal, true, msg::fileNotFound,
                            driverMessage(msg::fileNotFound, path.c_str()).c_str())) {
      std::fprintf(as.err, msg::unableToOpen, path.c_str());
    }
    throw FatalStop{};
  }
  DepthGuard depth(as.includeDepth);
  as.sourceFile = file.get();
  as.filesRead.add(path);
  // A file read again in this pass replays its lines, as a macro does, from the same allowance:
  // includes that each include a file many times multiply a few lines without end.
  const bool again = !as.filesReadThisPass.insert(path).second;
  LineBuffer buffer;
  useLineBuffer(as, buffer);
  while (readLineKeepingTabs(as)) {
    if (!again) {
      ++as.fileLines;
    } else if (++as.expandedLines > expandedLinesAllowed(as)) {
      reportFatal(as, msg::tooManyRereadLines, expandedLinesAllowed(as), path.c_str());
    }
    dispatchStatement(as);
    endLineReports(as);
  }
}

void feedSource(Assembler& as, Macro& macro) {
  if (as.macroDepth >= kMaxMacroDepth) {
    reportFatal(as, msg::macroTooDeep, kMaxMacroDepth, macro.name.c_str());
  }
  as.expandedLines +=
      static_cast<int>(std::min<std::size_t>(macro.lines.size(), kMaxExpandedLines));
  if (int allowed = expandedLinesAllowed(as); as.expandedLines > allowed) {
    reportFatal(as, msg::tooManyExpandedLines, allowed, macro.name.c_str());
  }
  SavedLineState saved(as);
  DepthGuard depth(as.macroDepth);
  ExpansionFrame frame(as, macro);
  LineBuffer buffer;
  useLineBuffer(as, buffer);
  for (const BodyLine& line : macro.lines) {
    frame.replaying(line);
    buildLine(as, &line, &macro);
    dispatchStatement(as);
    endLineReports(as);
  }
}

const char* readIncludeName(Assembler& as) {
  static_assert(kLineSize >= kMaxLineLength + 1);
  expandLineTabs(as);  // an unquoted name runs to the end of the line, blanks and all
  char* out = as.tokenBuffer.data();  // the name never outlives the include statement
  as.tokenStart = as.scanPos;         // a file that can't be opened is reported at its name
  if (*as.scanPos != '"') reportWarning(as, msg::missingQuote);
  // Steps over the opening quote, or over the first character of an unquoted name.
  if (*as.scanPos != '\0') ++as.scanPos;
  while (*as.scanPos != '\0' && *as.scanPos != '"') *out++ = *as.scanPos++;
  if (*as.scanPos == '"') ++as.scanPos;
  *out = '\0';
  as.tokenLength = static_cast<std::size_t>(out - as.tokenBuffer.data());
  return as.tokenBuffer.data();
}

void includeDirective(Assembler& as) {
  std::string name = readIncludeName(as);
  feedSource(as, findIncludeFile(as, name));
}

}  // namespace zelas
