// The line reader and the scanner operations that every statement handler parses with. All of
// them work on the current line through the one cursor, as.scanPos.
#pragma once

#include <string_view>

#include "scan/keyword_index.h"

namespace zelas {

struct Assembler;

// Keyword match modes: prefix with a required delimiter, prefix, or whole word.
enum class MatchMode { delimited = 1, prefix = 0, wholeWord = -1 };

// Reads the next line of as.sourceFile into the buffer at as.lineStart, expanding tabs; returns
// false at the end of the file. Characters beyond column 255 are reported and dropped.
bool readLine(Assembler& as);
// The reader of both passes. To the scanner a tab is a blank like any other, so a line without
// quotes is taken with its tabs as they stand (as.lineKeepsTabs set): the blanks between fields
// are then one character each instead of up to a tab's width. Any other line is read as
// readLine reads it. What takes the line's text as it stands (a string without quotes, macro
// arguments, an include name, a shown report) calls expandLineTabs first; what writes into the
// line (a data statement cutting it) expands it first too; the listing expands it as it copies.
bool readLineKeepingTabs(Assembler& as);
// Expands the tabs of a line taken as it stands, in place, keeping the cursor on the same
// character: the line's text and columns are then those readLine gives. Nothing to do for
// other lines.
void expandLineTabs(Assembler& as);
// Copies text to out with its tabs expanded to the tab stops, the text readLine gives, and
// returns the end of the copy (no terminator is stored). Text is read and stored eight bytes at a
// time: it lies in a line buffer, whose slack holds the bytes read past its terminator, and out has
// room for the expanded text and eight bytes more.
char* copyExpandingTabs(char* out, const char* text, int tabWidth);
// With skip set: moves over blanks and then over a comment to the end of the line.
void skipBlanks(Assembler& as, bool skip = true);
// Moves over blanks and a comment like skipBlanks, returning the text passed over.
const char* takeBlanks(Assembler& as);
// Reads one token (name, punctuation character or character literal); empty at the end of the
// line or on a character that starts no token (reported and stepped over).
const char* readToken(Assembler& as, bool skip = true);
// Matches keyword (lower case) at the cursor, ignoring case; see MatchMode.
bool matchKeyword(Assembler& as, const char* keyword, MatchMode mode);
// The same, keyword given packed as well: the statement words of every line are matched so.
bool matchKeyword(Assembler& as, const char* keyword, const PackedKeyword& packed, MatchMode mode);
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
