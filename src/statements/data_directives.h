// Location and data directives: equ, org, db, dw, dwl, ds, dsu and fillrom.
#pragma once

namespace zelas {

struct Assembler;
struct Label;

// <label>: equ <expr>
void equDirective(Assembler& as, Label* label);
// org <expr>
void orgDirective(Assembler& as, Label* label);
// db <expr>{,<expr>}
void dbDirective(Assembler& as);
// dw <expr>{,<expr>}: high byte first
void dwDirective(Assembler& as);
// dwl <expr>{,<expr>}: low byte first
void dwlDirective(Assembler& as);
// ds "<text>"
void dsDirective(Assembler& as);
// dsu "<text>": each character followed by 0
void dsuDirective(Assembler& as);
// fillrom [<expr>]
void fillromDirective(Assembler& as);

}  // namespace zelas
