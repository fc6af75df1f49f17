// STUB: replaced by the macro room.
#include "core/assembler.h"
#include "macro/macro.h"
#include "macro/macro_define.h"
#include "macro/macro_expand.h"
namespace zelas {
Macro* findMacro(Assembler&, std::string_view) { return nullptr; }
void resetExpansionCounts(Assembler&) {}
void defineMacro(Assembler&) {}
bool isReservedWord(const char*) { return false; }
bool expandMacroCall(Assembler&) { return false; }
void resolveMacro(Assembler&, Macro*) {}
void buildLine(Assembler&, const BodyLine*, Macro*) {}
void appendTrailing(Assembler&, const std::string&) {}
}  // namespace zelas
