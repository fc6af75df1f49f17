#include "driver/feeder.h"

#include <algorithm>
#include <cstdio>

#include "core/assembler.h"
#include "core/observer.h"
#include "diag/gnu_style.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "driver/include_search.h"
#include "driver/output_safety.h"
#include "macro/macro.h"
#include "macro/macro_expand.h"
#include "scan/line_reader.h"
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
// those lines would be listed again.
bool isTheListing(Assembler& as, const std::string& path) {
  return as.listFile != nullptr && sameFile(as.files, path, as.listPath);
}

// The line state is still the include statement's, which a GNU-style report points at.
[[noreturn]] void stopOnOpenFailure(Assembler& as, const std::string& path, OpenFailure failure) {
  if (failure == OpenFailure::notRegular) {
    std::fprintf(as.err, msg::notRegularFile, path.c_str());
  } else if (!recordDriverReport(as, Severity::fatal, true, msg::fileNotFound,
                                 driverMessage(msg::fileNotFound, path.c_str()).c_str())) {
    std::fprintf(as.err, msg::unableToOpen, path.c_str());
  }
  throw FatalStop{};
}

// Every reading of a file must read the text its first reading read: a file edited while the
// run reads it would otherwise give an image made of two different versions of the source.
void compareWithFirstReading(Assembler& as, const SourceFile& file) {
  auto [first, added] = as.firstReadings.try_emplace(file.path(), file.stamp());
  if (!added && !(first->second == file.stamp())) {
    reportFatal(as, msg::fileChanged, file.path().c_str());
  }
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
  OpenFailure failure = OpenFailure::notFound;
  std::unique_ptr<SourceFile> file = SourceFile::open(as.files, path, &failure);
  if (file == nullptr) stopOnOpenFailure(as, path, failure);
  DepthGuard depth(as.includeDepth);
  as.sourceFile = file.get();
  // A name read before is known with its file: a program including one file many times would
  // otherwise make the outputs' check as long as its includes. A name first read in pass 2 (its
  // block skipped in pass 1) is an input all the same.
  if (as.filesRead.add(path)) as.inputsRead.push_back({path, file->id()});
  // A file read again in this pass replays its lines, as a macro does, from the same allowance:
  // includes that each include a file many times multiply a few lines without end.
  const bool again = !as.filesReadThisPass.insert(path).second;
  LineBuffer buffer;
  useLineBuffer(as, buffer);
  while (readLine(as)) {
    if (!again) {
      ++as.fileLines;
    } else if (++as.expandedLines > expandedLinesAllowed(as)) {
      reportFatal(as, msg::tooManyRereadLines, expandedLinesAllowed(as), path.c_str());
    }
    dispatchStatement(as);
    endLineReports(as);
  }
  compareWithFirstReading(as, *file);
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
  AssemblyObserver* observer = observerOf(as);
  if (observer == nullptr) {
    feedSource(as, findIncludeFile(as, readIncludeName(as)));
    return;
  }
  expandLineTabs(as);  // as readIncludeName does: the name's column is one of the expanded line
  const char* nameAt = as.scanPos + (*as.scanPos == '"' ? 1 : 0);
  SourceSpot spot = spotAt(as, nameAt);
  std::string name = readIncludeName(as);
  std::string path = findIncludeFile(as, name);
  observer->includeNamed(spot, name, path);
  feedSource(as, path);
}

}  // namespace zelas
