// STUB: replaced by the data-directives room.
#include "core/assembler.h"
#include "statements/data_directives.h"
namespace zelas {
void equDirective(Assembler&, Label*) {}
void orgDirective(Assembler&, Label*) {}
void dbDirective(Assembler&) {}
void dwDirective(Assembler&) {}
void dwlDirective(Assembler&) {}
void dsDirective(Assembler&) {}
void dsuDirective(Assembler&) {}
void fillromDirective(Assembler&) {}
}  // namespace zelas
