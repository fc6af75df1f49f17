// STUB: replaced by the conditionals and data-directive rooms.
#include "core/assembler.h"
#include "statements/conditionals.h"
#include "statements/data_directives.h"
namespace zelas {
void openConditional(Assembler&, bool) {}
void ifDirective(Assembler&) {}
void ifdefDirective(Assembler&, bool) {}
void elseDirective(Assembler&) {}
void endifDirective(Assembler&) {}
void defineDirective(Assembler&) {}
void equDirective(Assembler&, Label*) {}
void orgDirective(Assembler&, Label*) {}
void dbDirective(Assembler&) {}
void dwDirective(Assembler&) {}
void dwlDirective(Assembler&) {}
void dsDirective(Assembler&) {}
void dsuDirective(Assembler&) {}
void fillromDirective(Assembler&) {}
}  // namespace zelas
