// The scanner operations that every statement handler parses with. All of them work on the
// current line (see scan/line_reader.h) through the one cursor, as.scanPos.
#pragma once

#include <string_view>

namespace zelas {

struct Assembler;

// Keyword match modes: prefix with a required delimiter, prefix, or whole word.
enum class MatchMode { delimited = 1, prefix = 0, wholeWord = -1 };

// With skip set: moves over blanks and then over a comment to the end of the line.
void skipBlanks(Assembler& as, bool skip = true);
// Moves over blanks and a comment like skipBlanks, returning the text passed over.
const char* takeBlanks(Assembler& as);
// Reads one token (name, punctuation character or character literal); empty at the end of the
// line or on a character that starts no token (reported and stepped over).
const char* readToken(Assembler& as, bool skip = true);
// Matches keyword (lower case) at the cursor, ignoring case; see MatchMode.
bool matchKeyword(Assembler& as, const char* keyword, MatchMode mode);
// After a keyword: skips blanks, or warns that a delimiter is required.
void requireDelimiter(Assembler& as, const char* keyword);
// Steps over ch (and the blanks after it) when it is under the cursor.
bool acceptChar(Assembler& as, char ch);
// As acceptChar, warning when ch is missing.
void expectChar(Assembler& as, char ch);
// Steps over first and second (case ignored, blanks allowed after each) when both follow.
bool acceptPair(Assembler& as, char first, char second);
// Steps over word1, separator, word2 (words as prefixes, case ignored) when the pattern follows.
bool matchWordPair(Assembler& as, const char* word1, char separator, const char* word2);
// Equal length and equal characters, ignoring case.
bool sameTextNoCase(std::string_view a, std::string_view b);
// True when the cursor is at the end of the line text.
bool atLineEnd(const Assembler& as);

}  // namespace zelas
