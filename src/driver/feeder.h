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
// Work a pass may take on through nesting that is not deep but wide: macros that each invoke the
// previous one twice, or files that include each other's successors many times over, grow
// exponentially within the depth limits. Far above any real program; fuzzing builds use lower
// values so that every input finishes well within the fuzzer's time-out.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
inline constexpr int kMaxExpandedLines = 1 << 14;
inline constexpr int kFreeExpandedLines = 1 << 14;
inline constexpr int kExpandedLinesPerFileLine = 2;
inline constexpr int kMaxIncludedFiles = 1 << 10;
#else
// Macro body lines replayed in one pass, at most.
inline constexpr int kMaxExpandedLines = 1 << 18;
// Up to that, a pass may replay (macro lines, and lines of files it reads again) this many
// lines, or twice the lines it read from files the first time if that is more. A small source thus
// can't make a listing of hundreds of megabytes (a replayed line lists up to about 280 bytes),
// while a large program keeps the full allowance.
inline constexpr int kFreeExpandedLines = 1 << 15;
inline constexpr int kExpandedLinesPerFileLine = 2;
// Files opened by include statements in one pass.
inline constexpr int kMaxIncludedFiles = 1 << 14;
#endif

// The macro lines this pass may replay, given the lines it has read from files so far.
int expandedLinesAllowed(const Assembler& as);
// Assembles the file at path (used unchanged). A file that can't be opened ends the run.
void feedSource(Assembler& as, const std::string& path);
// Replays the body of macro, whose arguments are already bound.
void feedSource(Assembler& as, Macro& macro);
// Reads the double-quoted file name of an include statement at the cursor.
const char* readIncludeName(Assembler& as);
// include "file"
void includeDirective(Assembler& as);

}  // namespace zelas
