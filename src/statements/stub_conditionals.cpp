// STUB: replaced by the conditionals room.
#include "core/assembler.h"
#include "statements/conditionals.h"
namespace zelas {
void openConditional(Assembler&, bool) {}
void ifDirective(Assembler&) {}
void ifdefDirective(Assembler&, bool) {}
void elseDirective(Assembler&) {}
void endifDirective(Assembler&) {}
void defineDirective(Assembler&) {}
}  // namespace zelas
