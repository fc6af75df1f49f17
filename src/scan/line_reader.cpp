#include "scan/line_reader.h"

#include <algorithm>
#include <cstring>

#include "core/assembler.h"
#include "core/buffers.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

constexpr int kMaxColumn = static_cast<int>(kMaxLineLength);

// The distance between tab stops. A width below 1 is possible only in the configuration file,
// before the driver raises it; a tab then takes one column.
int tabStop(int tabWidth) {
  return tabWidth < 1 ? 1 : tabWidth;
}

// The column after character c, standing at column. A tab reaches the next multiple of the tab
// width, always at least one column on; a line holds 255 columns, so none passes that.
int columnAfter(char c, int column, int width) {
  int next = c == '\t' ? column - column % width + width : column + 1;
  return std::min(next, kMaxColumn);
}

// Stores the characters of a line read one at a time, counting the columns they take.
struct LineWriter {
  Assembler& as;
  char* out;
  int width;
  int column = 0;

  void put(char c) {
    if (column < kMaxColumn) {
      *out++ = c;
      column = columnAfter(c, column, width);
      return;
    }
    *out = '\0';  // the report shows the text read so far
    reportError(as, msg::lineTooLong, as.lineNumber);
    // A report shows the line with its tabs expanded, and expands them in place to do so.
    out = as.lineStart + std::strlen(as.lineStart);
  }
};

// The usual line: its line end lies in the file's block, and however its tabs fall it stays
// within 255 columns. It is copied to out in one step and true returned; anything else is left
// to readLineByteByByte.
bool readWholeLine(SourceFile& file, int width, char* out) {
  std::string_view block = file.window();
  std::size_t end = block.find('\n');
  if (end == std::string_view::npos) return false;
  std::string_view line = block.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // CR LF ends the line too
  if (line.size() > kMaxLineLength) return false;
  const auto room = kMaxLineLength - line.size();
  // A tab takes width columns at most, one of them its own.
  if (line.size() * static_cast<std::size_t>(width) > kMaxLineLength) {
    std::size_t tabs = 0;
    for (std::size_t t = line.find('\t'); t != std::string_view::npos; t = line.find('\t', t + 1)) {
      ++tabs;
    }
    if (tabs * static_cast<std::size_t>(width - 1) > room) return false;
  }
  std::memcpy(out, line.data(), line.size());
  out[line.size()] = '\0';
  file.take(end + 1);
  return true;
}

// Any line, one byte at a time: a line that crosses the end of the file's block, the last line
// without a line end, and a line that may pass 255 columns.
bool readLineByteByByte(Assembler& as, SourceFile& file) {
  LineWriter line{as, as.lineStart, tabStop(as.tabWidth)};
  bool readAny = false;
  for (int c = file.get(); c != -1; c = file.get()) {
    readAny = true;
    if (c == '\n') break;
    if (c == '\r' && file.peek() == '\n') {
      file.get();
      break;
    }
    line.put(static_cast<char>(c));
  }
  *line.out = '\0';
  return readAny;
}

}  // namespace

bool readLine(Assembler& as) {
  SourceFile* file = as.sourceFile;
  if (file == nullptr || file->atEnd()) return false;
  ++as.lineNumber;
  as.scanPos = as.lineStart;
  as.tokenStart = nullptr;
  as.lineStart[0] = '\0';
  bool read =
      readWholeLine(*file, tabStop(as.tabWidth), as.lineStart) || readLineByteByByte(as, *file);
  // A read error is never the end of the file: what follows it is missing, not absent.
  if (file->readFailed()) reportFatal(as, msg::readFailed, file->path().c_str());
  return read;
}

int expandedColumn(std::string_view text, std::size_t offset, int tabWidth) {
  const int width = tabStop(tabWidth);
  int column = 0;
  for (char c : text.substr(0, offset)) column = columnAfter(c, column, width);
  return column;
}

char* copyExpandingTabs(char* out, const char* text, int tabWidth) {
  const int width = tabStop(tabWidth);
  char* const begin = out;
  char* const end = out + kMaxLineLength;
  for (; *text != '\0' && out != end; ++text) {
    if (*text != '\t') {
      *out++ = *text;
      continue;
    }
    const int column = static_cast<int>(out - begin);
    for (int blanks = columnAfter('\t', column, width) - column; blanks > 0; --blanks) {
      *out++ = ' ';
    }
  }
  return out;
}

void expandLineTabs(Assembler& as) {
  if (std::strchr(as.lineStart, '\t') == nullptr) return;
  const std::string_view line(as.lineStart);
  LineBuffer taken;
  *std::copy(line.begin(), line.end(), taken.begin()) = '\0';
  const std::string_view text(taken.data(), line.size());
  // The cursor, and the last token's start, keep their characters: each goes to its column.
  const auto cursor = std::min(static_cast<std::size_t>(as.scanPos - as.lineStart), line.size());
  char* const scanPos = as.lineStart + expandedColumn(text, cursor, as.tabWidth);
  if (as.tokenStart != nullptr && as.tokenStart >= as.lineStart &&
      as.tokenStart <= as.lineStart + line.size()) {
    const auto token = static_cast<std::size_t>(as.tokenStart - as.lineStart);
    as.tokenStart = as.lineStart + expandedColumn(text, token, as.tabWidth);
  }
  *copyExpandingTabs(as.lineStart, taken.data(), as.tabWidth) = '\0';
  as.scanPos = scanPos;
}

}  // namespace zelas
