// Reading source lines, and the columns of their characters. A line is kept as it was read,
// tabs as they stand: to the scanner a tab is a blank like any other. Where a line's look
// matters (the listing, the position line of a report, a string's text, macro arguments, an
// include name, an editor's column) its tabs are expanded to the tab stops by the two functions
// below, and only there.
#pragma once

#include <cstddef>
#include <string_view>

namespace zelas {

struct Assembler;

// Reads the next line of as.sourceFile into the buffer at as.lineStart, numbers it and puts the
// cursor at its start; false at the end of the file. A line ends at LF or CR LF. A character
// that would stand beyond column 255 once the tabs are expanded is reported and dropped.
bool readLine(Assembler& as);

// The column (from 0) of the character at offset in text once the tabs before it are expanded;
// no column passes the 255 a line holds.
int expandedColumn(std::string_view text, std::size_t offset, int tabWidth);

// Copies text (terminated) to out with its tabs expanded, up to column 255, and returns the end
// of the copy (no terminator is stored). out has room for 255 characters.
char* copyExpandingTabs(char* out, const char* text, int tabWidth);

// Expands the tabs of the current line in place, keeping the cursor and the last token's start
// on their characters. Done before the line's text is taken as it looks: inside quotes, in macro
// arguments and in an unquoted include name a tab's blanks are text.
void expandLineTabs(Assembler& as);

}  // namespace zelas
