#include "scan/scanner.h"

#include <algorithm>
#include <cstring>

#include "core/assembler.h"
#include "core/buffers.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "scan/char_class.h"
#include "scan/keyword_table.h"
#include "scan/line_reader.h"

namespace zelas {

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

// Copies the character literal whose opening quote is at p to out, and returns where it stops:
// at its closing quote or at the end of the line. The token always ends with one quote.
const char* copyCharLiteral(const char* p, char* out) {
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
  *out++ = '\'';
  *out = '\0';
  return p;
}

// Where a literal read from the expanded line stops, in the line as kept: a tab's blanks are
// never quotes, so the stop is the same quote counted from the opening one, or the line's end.
char* stopInKeptLine(char* quote, const char* shownQuote, const char* shownStop) {
  if (*shownStop == '\0') return quote + std::strlen(quote);
  auto quotes = std::count(shownQuote + 1, shownStop + 1, '\'');
  char* p = quote + 1;
  for (; *p != '\0'; ++p) {
    if (*p == '\'' && --quotes == 0) break;
  }
  return p;
}

// Reads a character literal from its opening quote at the cursor, and returns the token's
// length. Inside quotes a tab's blanks are text, so a literal with a tab in reach is read from
// the line as the listing shows it; the line itself stays as it is.
std::size_t readCharLiteral(Assembler& as, char* out) {
  char* const quote = as.scanPos;
  if (std::strchr(quote, '\t') == nullptr) {
    as.scanPos = const_cast<char*>(copyCharLiteral(quote, out));
  } else {
    LineBuffer shown;
    *copyExpandingTabs(shown.data(), as.lineStart, as.tabWidth) = '\0';
    const auto offset = static_cast<std::size_t>(quote - as.lineStart);
    const char* shownQuote = shown.data() + expandedColumn(as.lineStart, offset, as.tabWidth);
    as.scanPos = stopInKeptLine(quote, shownQuote, copyCharLiteral(shownQuote, out));
  }
  if (*as.scanPos == '\'') {
    ++as.scanPos;
  } else {
    reportWarning(as, msg::missingClosingQuote);
  }
  return std::strlen(out);
}

}  // namespace

const char* readToken(Assembler& as, bool skip) {
  char* out = as.tokenBuffer.data();
  *out = '\0';
  as.tokenLength = 0;
  char c = *as.scanPos;
  if (c == '\0') return out;
  as.tokenStart = as.scanPos;
  if (isNameChar(c)) {
    char* p = as.scanPos;
    while (isNameChar(*p)) *out++ = *p++;
    *out = '\0';
    as.tokenLength = static_cast<std::size_t>(p - as.scanPos);
    as.scanPos = p;
  } else if (isPunctChar(c)) {
    out[0] = c;
    out[1] = '\0';
    as.tokenLength = 1;
    ++as.scanPos;
  } else if (c == '\'') {
    as.tokenLength = readCharLiteral(as, out);
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

namespace {

// The rest of a match that reached p, the end of keyword in the text.
bool finishKeyword(Assembler& as, const char* p, const char* keyword, MatchMode mode) {
  if (mode == MatchMode::wholeWord && *p != '\0' && !isBlank(*p)) return false;
  as.tokenStart = as.scanPos;
  as.scanPos = const_cast<char*>(p);
  if (mode == MatchMode::prefix) {
    skipBlanks(as, true);
  } else {
    requireDelimiter(as, keyword);
  }
  return true;
}

}  // namespace

bool matchKeyword(Assembler& as, const char* keyword, MatchMode mode) {
  const char* end = afterKeyword(as.scanPos, keyword);
  return end != nullptr && finishKeyword(as, end, keyword, mode);
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
