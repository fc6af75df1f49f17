#include "scan/scanner.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "scan/char_class.h"
#include "scan/line_expander.h"
#include "scan/read_ahead.h"
#include "scan/source_file.h"

namespace zelas {

bool readLine(Assembler& as) {
  SourceFile* file = as.sourceFile;
  if (file == nullptr) return false;
  ReadAhead* ahead = file->readingAhead();
  if (ahead != nullptr ? ahead->atEnd() : file->atEnd()) return false;
  ++as.lineNumber;
  as.scanPos = as.lineStart;
  ExpandedLine line =
      ahead != nullptr ? ahead->next(as.lineStart) : expandLine(*file, as.tabWidth, as.lineStart);
  // Each dropped character is reported; the report shows the 255 characters kept.
  for (int i = 0; i < line.overflows; ++i) reportError(as, msg::lineTooLong, as.lineNumber);
  return line.any;
}

bool atLineEnd(const Assembler& as) {
  return *as.scanPos == '\0';
}

void skipBlanks(Assembler& as, bool skip) {
  if (!skip || *as.scanPos == '\0') return;
  char* p = as.scanPos;
  while (isBlank(*p)) ++p;
  if (isCommentStart(p)) p += std::strlen(p);
  as.scanPos = p;
}

const char* takeBlanks(Assembler& as) {
  char* out = as.blankBuffer.data();
  char* p = as.scanPos;
  while (isBlank(*p)) *out++ = *p++;
  if (isCommentStart(p)) {
    while (*p != '\0') *out++ = *p++;
  }
  *out = '\0';
  as.scanPos = p;
  return as.blankBuffer.data();
}

namespace {

// Copies a character literal from its opening quote; the token always ends with one quote.
void readCharLiteral(Assembler& as, char* out) {
  char* p = as.scanPos;
  // Room for the opening quote, the body and the closing quote within the token buffer.
  char* const limit = out + kMaxLineLength - 1;
  *out++ = *p++;
  while (*p != '\0' && *p != '\'') {
    if (*p == '\\' && p[1] != '\0') {
      if (out + 1 < limit) {
        *out++ = p[0];
        *out++ = p[1];
      }
      p += 2;
    } else {
      if (out < limit) *out++ = *p;
      ++p;
    }
  }
  as.scanPos = p;
  if (*p == '\'') {
    ++as.scanPos;
  } else {
    reportWarning(as, msg::missingClosingQuote);
  }
  *out++ = '\'';
  *out = '\0';
}

}  // namespace

const char* readToken(Assembler& as, bool skip) {
  char* out = as.tokenBuffer.data();
  *out = '\0';
  char c = *as.scanPos;
  if (c == '\0') return out;
  if (isNameChar(c)) {
    char* p = as.scanPos;
    while (isNameChar(*p)) *out++ = *p++;
    *out = '\0';
    as.scanPos = p;
  } else if (isPunctChar(c)) {
    out[0] = c;
    out[1] = '\0';
    ++as.scanPos;
  } else if (c == '\'') {
    readCharLiteral(as, out);
  } else {
    reportWarning(as, msg::badCharacter, c);
    ++as.scanPos;
    return out;
  }
  skipBlanks(as, skip);
  return as.tokenBuffer.data();
}

void requireDelimiter(Assembler& as, const char* keyword) {
  char c = *as.scanPos;
  if (c == '\0') return;
  if (isBlank(c)) {
    skipBlanks(as, true);
  } else {
    reportWarning(as, msg::delimiterRequired, keyword);
  }
}

bool matchKeyword(Assembler& as, const char* keyword, MatchMode mode) {
  const char* p = as.scanPos;
  for (const char* k = keyword; *k != '\0'; ++k, ++p) {
    if (foldCase(*p) != *k) return false;  // also stops at the terminator
  }
  if (mode == MatchMode::wholeWord && *p != '\0' && !isBlank(*p)) return false;
  as.scanPos = const_cast<char*>(p);
  if (mode == MatchMode::prefix) {
    skipBlanks(as, true);
  } else {
    requireDelimiter(as, keyword);
  }
  return true;
}

bool acceptChar(Assembler& as, char ch) {
  if (*as.scanPos != ch || ch == '\0') return false;
  ++as.scanPos;
  skipBlanks(as, true);
  return true;
}

void expectChar(Assembler& as, char ch) {
  if (!acceptChar(as, ch)) reportWarning(as, msg::missingPunctuation, ch);
}

bool acceptPair(Assembler& as, char first, char second) {
  char* saved = as.scanPos;
  if (*as.scanPos != '\0' && foldCase(*as.scanPos) == foldCase(first)) {
    ++as.scanPos;
    skipBlanks(as, true);
    if (*as.scanPos != '\0' && foldCase(*as.scanPos) == foldCase(second)) {
      ++as.scanPos;
      skipBlanks(as, true);
      return true;
    }
  }
  as.scanPos = saved;
  return false;
}

namespace {

bool stepOverWord(Assembler& as, const char* word) {
  for (const char* w = word; *w != '\0'; ++w) {
    if (foldCase(*as.scanPos) != foldCase(*w)) return false;
    ++as.scanPos;
  }
  return true;
}

}  // namespace

bool matchWordPair(Assembler& as, const char* word1, char separator, const char* word2) {
  char* saved = as.scanPos;
  if (stepOverWord(as, word1)) {
    skipBlanks(as, true);
    if (*as.scanPos == separator && separator != '\0') {
      ++as.scanPos;
      skipBlanks(as, true);
      if (stepOverWord(as, word2)) {
        skipBlanks(as, true);
        return true;
      }
    }
  }
  as.scanPos = saved;
  return false;
}

bool sameTextNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  }
  return true;
}

}  // namespace zelas
