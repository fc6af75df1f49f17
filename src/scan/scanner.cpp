#include "scan/scanner.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "scan/char_class.h"
#include "scan/source_file.h"

namespace zelas {

namespace {

// The distance between tab stops. A width below 1 is possible only in the configuration file,
// before the driver raises it; a tab then stores one blank.
int tabStop(int tabWidth) {
  return tabWidth < 1 ? 1 : tabWidth;
}

// Stores one character of the line being read, or reports it when the line is already full.
struct LineWriter {
  Assembler& as;
  char* write;
  int column = 0;

  void put(char c) {
    if (column >= static_cast<int>(kMaxLineLength)) {
      *write = '\0';  // the report shows the text read so far
      reportError(as, msg::lineTooLong, as.lineNumber);
      return;
    }
    *write++ = c;
    ++column;
  }

  // A tab advances to the next multiple of the tab width and always stores at least one blank.
  // A tab that straddles the limit stores the blanks that fit.
  void putTab() {
    int width = tabStop(as.tabWidth);
    int blanks = width - column % width;
    if (column >= static_cast<int>(kMaxLineLength)) {
      put(' ');
      return;
    }
    for (int i = 0; i < blanks && column < static_cast<int>(kMaxLineLength); ++i) {
      *write++ = ' ';
      ++column;
    }
  }
};

// Expands a tab at out (column of the line) when it fits whole; false when it doesn't.
bool putWholeTab(char*& out, int column, int width) {
  constexpr int kMax = static_cast<int>(kMaxLineLength);
  // The usual width of 8 takes a mask instead of a division.
  int blanks = width == 8 ? 8 - (column & 7) : width - column % width;
  if (column + blanks > kMax) return false;
  if (blanks <= 8 && column + 8 <= kMax) {
    // One store; the blanks past the tab stop are overwritten by what follows, or lie beyond
    // the terminator.
    std::memcpy(out, "        ", 8);
  } else {
    std::memset(out, ' ', static_cast<std::size_t>(blanks));
  }
  out += blanks;
  return true;
}

// Tabs, line ends and the other control characters are the bytes below 14; everything else is
// copied as it stands.
constexpr bool isPlainByte(char c) {
  return static_cast<unsigned char>(c) >= 14;
}

// Bit 7 of a byte of the result is set where word holds a byte below 14, exactly so at the
// lowest such byte (a borrow can only flag bytes above it). Bytes 80h..FFh are never flagged.
constexpr std::uint64_t controlBytes(std::uint64_t word) {
  return (word - 0x0E0E0E0E0E0E0E0EULL) & ~word & 0x8080808080808080ULL;
}

// One step of the copies that take eight bytes at a time: stores the word at src to out and
// moves both past its plain bytes; true when the word holds a control byte, at which both then
// stand. The bytes stored past that byte are overwritten by what follows it, or lie beyond the
// copy's end. Little-endian byte order only.
bool copyPlainWord(const char*& src, char*& out) {
  std::uint64_t word;
  std::memcpy(&word, src, 8);
  std::memcpy(out, &word, 8);
  if (std::uint64_t stops = controlBytes(word)) {
    std::size_t k = static_cast<std::size_t>(std::countr_zero(stops)) / 8;
    src += k;
    out += k;
    return true;
  }
  src += 8;
  out += 8;
  return false;
}

// Copies the characters at the start of w, expanding the tabs, up to the first line end or
// until the next character no longer fits whole; returns how many were taken from w.
std::size_t copyPlainRun(LineWriter& line, std::string_view w, int tabWidth) {
  const int width = tabStop(tabWidth);
  const char* src = w.data();
  const char* const srcEnd = src + w.size();
  char* out = line.write;
  char* const lineBegin = out - line.column;
  char* const outEnd = lineBegin + kMaxLineLength;
  for (;;) {
    // Eight bytes at a time while both the block and the line have room for them.
    if constexpr (std::endian::native == std::endian::little) {
      while (srcEnd - src >= 8 && outEnd - out >= 8 && !copyPlainWord(src, out)) {
      }
    }
    while (src < srcEnd && out < outEnd && isPlainByte(*src)) *out++ = *src++;
    if (src == srcEnd || out == outEnd) break;
    char c = *src;
    if (c == '\t') {
      if (!putWholeTab(out, static_cast<int>(out - lineBegin), width)) break;
    } else if (c == '\n' || c == '\r') {
      break;
    } else {
      *out++ = c;  // another control character, stored like any other
    }
    ++src;
  }
  line.column = static_cast<int>(out - lineBegin);
  line.write = out;
  return static_cast<std::size_t>(src - w.data());
}

// The usual line: its line end lies in the file's block, and it is short enough that no
// expansion of its tabs can reach the limit. It is stored at out in one pass over its bytes and
// true returned; anything else is left to the general reader below.
bool readShortLine(SourceFile& file, int tabWidth, char* out) {
  std::string_view w = file.window();
  if (w.empty()) return false;  // the end of the file: an empty view may hold no address at all
  const void* found = std::memchr(w.data(), '\n', w.size());
  if (found == nullptr) return false;
  const char* begin = w.data();
  const char* lineEnd = static_cast<const char*>(found);
  const auto width = static_cast<std::size_t>(tabStop(tabWidth));
  if (static_cast<std::size_t>(lineEnd - begin) * width > kMaxLineLength) return false;
  const char* end = lineEnd;
  if (end > begin && end[-1] == '\r') --end;  // CR LF ends the line too
  char* o = out;
  for (const char* p = begin;; ++p) {
    // The line end (or the CR before it) is a control byte, so the run stops there without a
    // test of its own. Control characters other than the tab are stored like any other.
    while (isPlainByte(*p)) *o++ = *p++;
    if (p == end) break;
    if (*p == '\t') {
      putWholeTab(o, static_cast<int>(o - out), static_cast<int>(width));  // always fits here
    } else {
      *o++ = *p;
    }
  }
  *o = '\0';
  file.take(static_cast<std::size_t>(lineEnd - begin) + 1);
  return true;
}

// What pass 1 needs to know of a line before taking it as it stands.
struct LineMarks {
  std::size_t length = 0;  // up to the line end
  std::size_t tabs = 0;
  bool quote = false;
};

// Copies the bytes at text up to the line end, marking tabs and quotes, one at a time.
bool copyMarkedBytes(std::string_view w, std::size_t from, char* out, LineMarks& marks) {
  const char* text = w.data();
  const char* end = static_cast<const char*>(std::memchr(text + from, '\n', w.size() - from));
  if (end == nullptr || end - text > static_cast<std::ptrdiff_t>(kMaxLineLength)) return false;
  marks.length = static_cast<std::size_t>(end - text);
  for (std::size_t i = from; i < marks.length; ++i) {
    char c = text[i];
    out[i] = c;
    marks.tabs += c == '\t';
    marks.quote = marks.quote || c == '"' || c == '\'';
  }
  return true;
}

// Copies the line at the start of w to out while finding its end, counting its tabs and marking
// its quotes; false when its end does not lie in w or lies beyond the longest line. Bytes past
// the line end may be copied too: the caller terminates the line.
bool copyMarkedLine(std::string_view w, char* out, LineMarks& marks) {
  std::size_t i = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time while the block holds them: most lines end within two such steps.
  // The last step starts at 240 at most, so it stores within the line's 256 bytes.
  const __m128i tab = _mm_set1_epi8('\t');
  const __m128i lineEnd = _mm_set1_epi8('\n');
  const __m128i doubleQuote = _mm_set1_epi8('"');
  const __m128i singleQuote = _mm_set1_epi8('\'');
  // Tabs counted per byte position (a match is -1, so subtracting it counts one); sixteen steps
  // at most, so no count passes a byte.
  __m128i tabCounts = _mm_setzero_si128();
  auto countedTabs = [&tabCounts] {
    __m128i sums = _mm_sad_epu8(tabCounts, _mm_setzero_si128());
    return static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
  };
  unsigned quotes = 0;
  for (; w.size() - i >= 16 && i <= kMaxLineLength; i += 16) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(w.data() + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), v);
    auto mask = [&v](__m128i c) {
      return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, c)));
    };
    __m128i tabMatches = _mm_cmpeq_epi8(v, tab);
    unsigned chunkQuotes = mask(doubleQuote) | mask(singleQuote);
    if (unsigned ends = mask(lineEnd); ends != 0) {
      int end = std::countr_zero(ends);
      unsigned before = (1u << end) - 1;
      // Only the tabs in front of the line end count.
      const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
      __m128i inLine = _mm_cmplt_epi8(lanes, _mm_set1_epi8(static_cast<char>(end)));
      tabCounts = _mm_sub_epi8(tabCounts, _mm_and_si128(tabMatches, inLine));
      marks.length = i + static_cast<std::size_t>(end);
      marks.quote = (quotes | (chunkQuotes & before)) != 0;
      marks.tabs = countedTabs();
      return marks.length <= kMaxLineLength;
    }
    tabCounts = _mm_sub_epi8(tabCounts, tabMatches);
    quotes |= chunkQuotes;
  }
  if (i > kMaxLineLength) return false;
  marks.tabs = countedTabs();
  marks.quote = quotes != 0;
#endif
  return copyMarkedBytes(w, i, out, marks);
}

// The line at the start of the file's block, copied to out with its tabs, when its end lies in
// the block, it holds no quote (inside quotes a tab's blanks are text) and its tabs' blanks would
// fit the line whatever their columns; false, and nothing taken, otherwise. Sets keepsTabs when
// the line holds a tab.
bool readLineAsItStands(SourceFile& file, int tabWidth, char* out, bool& keepsTabs) {
  std::string_view w = file.window();
  if (w.empty()) return false;  // the end of the file: an empty view may hold no address at all
  LineMarks marks;
  if (!copyMarkedLine(w, out, marks) || marks.quote) return false;
  std::size_t length = marks.length;
  if (length > 0 && out[length - 1] == '\r') --length;  // CR LF ends the line too
  const auto width = static_cast<std::size_t>(tabStop(tabWidth));
  // Each tab takes width blanks at most.
  if (length + marks.tabs * (width - 1) > kMaxLineLength) return false;
  out[length] = '\0';
  keepsTabs = marks.tabs != 0;
  file.take(marks.length + 1);
  return true;
}

}  // namespace

bool readLineKeepingTabs(Assembler& as) {
  SourceFile* file = as.sourceFile;
  if (file == nullptr || file->atEnd()) return false;
  if (readLineAsItStands(*file, as.tabWidth, as.lineStart, as.lineKeepsTabs)) {
    ++as.lineNumber;
    as.scanPos = as.lineStart;
    as.tokenStart = nullptr;
    return true;
  }
  return readLine(as);
}

void expandLineTabs(Assembler& as) {
  if (!as.lineKeepsTabs) return;
  as.lineKeepsTabs = false;
  LineBuffer taken;
  std::size_t length = std::strlen(as.lineStart);
  std::memcpy(taken.data(), as.lineStart, length + 1);
  const auto cursor = std::min(static_cast<std::size_t>(as.scanPos - as.lineStart), length);
  // The text before the cursor first: the cursor goes where it ends once expanded. The whole
  // line then overwrites it, its tab stops counted from the line's start. The line was taken
  // only if all its tabs fit whole, and both buffers are line buffers.
  const char atCursor = taken[cursor];
  taken[cursor] = '\0';
  as.scanPos = copyExpandingTabs(as.lineStart, taken.data(), as.tabWidth);
  taken[cursor] = atCursor;
  // The start of the last token moves with its text as the cursor does.
  if (as.tokenStart != nullptr && as.tokenStart >= as.lineStart &&
      as.tokenStart <= as.lineStart + length) {
    const auto token = static_cast<std::size_t>(as.tokenStart - as.lineStart);
    const char atToken = taken[token];
    taken[token] = '\0';
    as.tokenStart = copyExpandingTabs(as.lineStart, taken.data(), as.tabWidth);
    taken[token] = atToken;
  }
  *copyExpandingTabs(as.lineStart, taken.data(), as.tabWidth) = '\0';
}

char* copyExpandingTabs(char* out, const char* text, int tabWidth) {
  const int width = tabStop(tabWidth);
  char* const begin = out;
  for (const char* p = text;; ++p) {
    // Up to the next control byte, the terminator at the latest.
    if constexpr (std::endian::native == std::endian::little) {
      while (!copyPlainWord(p, out)) {
      }
    } else {
      while (isPlainByte(*p)) *out++ = *p++;
    }
    if (*p == '\0') return out;
    if (*p != '\t' || !putWholeTab(out, static_cast<int>(out - begin), width)) *out++ = *p;
  }
}

bool readLine(Assembler& as) {
  SourceFile* file = as.sourceFile;
  if (file == nullptr || file->atEnd()) return false;
  as.lineKeepsTabs = false;
  ++as.lineNumber;
  as.scanPos = as.lineStart;
  as.tokenStart = nullptr;
  if (readShortLine(*file, as.tabWidth, as.lineStart)) return true;
  as.lineStart[0] = '\0';
  LineWriter line{as, as.lineStart};
  bool readAny = false;
  for (std::string_view w = file->window(); !w.empty(); w = file->window()) {
    readAny = true;
    // Plain characters are copied straight from the file's block while the line has room;
    // line ends, tabs and a full line take the character-by-character road below.
    std::size_t n = copyPlainRun(line, w, as.tabWidth);
    file->take(n);
    if (n == w.size()) continue;
    int c = file->get();
    if (c == '\n') break;
    if (c == '\r' && file->peek() == '\n') {
      file->get();
      break;
    }
    if (c == '\t') {
      line.putTab();
    } else {
      line.put(static_cast<char>(c));
    }
  }
  *line.write = '\0';
  as.scanPos = as.lineStart;
  // A read error is never the end of the file: what follows it is missing, not absent.
  if (file->readFailed()) reportFatal(as, msg::readFailed, file->path().c_str());
  return readAny;
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
// Returns the token's length.
std::size_t readCharLiteral(Assembler& as, char* out) {
  char* const token = out;
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
  return static_cast<std::size_t>(out - token);
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

// foldCase on each byte of a word: 'A'..'Z' get bit 5, every other byte stays.
constexpr std::uint64_t foldCaseWord(std::uint64_t w) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHigh = 0x80 * kOnes;
  std::uint64_t low = w & (0x7F * kOnes);
  // Bit 7 of each byte: its low seven bits reach 'A', pass 'Z'; no sum carries into the next.
  std::uint64_t fromA = low + (0x80 - 'A') * kOnes;
  std::uint64_t beyondZ = low + (0x80 - 'Z' - 1) * kOnes;
  std::uint64_t upper = fromA & ~beyondZ & ~w & kHigh;
  return w | (upper >> 2);
}

}  // namespace

bool matchKeyword(Assembler& as, const char* keyword, MatchMode mode) {
  const char* p = as.scanPos;
  for (const char* k = keyword; *k != '\0'; ++k, ++p) {
    if (foldCase(*p) != *k) return false;  // also stops at the terminator
  }
  return finishKeyword(as, p, keyword, mode);
}

bool matchKeyword(Assembler& as, const char* keyword, const PackedKeyword& packed, MatchMode mode) {
  if constexpr (std::endian::native != std::endian::little) {
    return matchKeyword(as, keyword, mode);
  }
  // Eight bytes from the cursor: the line buffer's slack holds those past its longest line. A
  // terminator within the keyword's bytes differs from its letter, as above.
  std::uint64_t text;
  std::memcpy(&text, as.scanPos, sizeof text);
  if (((foldCaseWord(text) ^ packed.letters) & packed.mask) != 0) return false;
  return finishKeyword(as, as.scanPos + packed.length, keyword, mode);
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
