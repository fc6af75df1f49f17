// What pass 2 tells an observer about the program it assembles, for tools that show the
// assembler's view beside the source (the language server). The command line sets no observer:
// each hook is behind one test of a null pointer.
#pragma once

#include <string>
#include <string_view>

#include "core/value.h"

namespace zelas {

struct Assembler;
struct Label;
struct Macro;

// Where an observed thing stands. Inside a macro expansion it is the invoking source line, with
// column 0: the expanded text is nowhere in the file.
struct SourceSpot {
  const std::string* file = nullptr;  // the path as it was opened; null for lines of no file
  int line = 0;                       // 1-based
  int column = 0;                     // 0-based, counted with the line's tabs expanded
  bool inExpansion = false;
};

class AssemblyObserver {
 public:
  virtual ~AssemblyObserver() = default;
  // A line that placed count bytes (1 or 2) at address, as the listing shows it.
  virtual void codeLine(const SourceSpot& spot, Value address, const int* bytes, int count,
                        int cycles) = 0;
  // A byte the page rule inserted at address before the statement at spot ("XPAGE" or "NOP").
  virtual void fillerInserted(const SourceSpot& spot, Value address, int opcode, int cycles,
                              const char* text) = 0;
  // The label field of a statement names label (found again by pass 2).
  virtual void labelDefined(const SourceSpot& spot, const Label& label) = 0;
  // An expression names label.
  virtual void labelUsed(const SourceSpot& spot, const Label& label) = 0;
  // A macro statement defines macro, its name at spot.
  virtual void macroDefined(const SourceSpot& spot, const Macro& macro) = 0;
  // A statement invokes macro, its name at spot.
  virtual void macroInvoked(const SourceSpot& spot, const Macro& macro) = 0;
  // An include statement names name (at spot), which was looked for as path.
  virtual void includeNamed(const SourceSpot& spot, const std::string& name,
                            const std::string& path) = 0;
};

// The spot of the character at in the current line.
SourceSpot spotAt(const Assembler& as, const char* at);
// The spot of the name at in the current line, as it is written: inside an expansion, where the
// macro's body holds it, when the body has that very name there (not a parameter that an
// argument replaced); else as spotAt.
SourceSpot writtenSpotAt(const Assembler& as, const char* at, std::string_view name);

// The observer to tell, or null: only pass 2 is told, where every label has its final value.
AssemblyObserver* observerOf(const Assembler& as);

}  // namespace zelas
