// The file feeder: runs the lines of a file, or the replayed body of a macro, through the
// statement dispatcher, with a line buffer of its own and the caller's line state restored after.
#pragma once

#include <string>

namespace zelas {

struct Assembler;
struct Macro;

// Deepest include nesting accepted; deeper means a file includes itself (directly or not).
inline constexpr int kMaxIncludeDepth = 64;
// Deepest macro expansion nesting accepted; deeper means a macro invokes itself.
inline constexpr int kMaxMacroDepth = 256;

// Assembles the file at path (used unchanged). A file that can't be opened ends the run.
void feedSource(Assembler& as, const std::string& path);
// Replays the body of macro, whose arguments are already bound.
void feedSource(Assembler& as, Macro& macro);
// Reads the double-quoted file name of an include statement at the cursor.
const char* readIncludeName(Assembler& as);
// include "file"
void includeDirective(Assembler& as);

}  // namespace zelas
