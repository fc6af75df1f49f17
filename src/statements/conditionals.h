// Conditional assembly: if, ifdef, ifndef, else, endif and define, obeyed in skipped branches too.
#pragma once

namespace zelas {

struct Assembler;

// Deepest nesting of open conditionals; a deeper one is reported fatally (a real program never
// comes near it, and state beyond it would be unbounded).
inline constexpr int kMaxCondDepth = 4096;

// Opens a conditional level whose branch holds when condition is true.
void openConditional(Assembler& as, bool condition);
// if <expr>
void ifDirective(Assembler& as);
// ifdef <name> (wantDefined) / ifndef <name>
void ifdefDirective(Assembler& as, bool wantDefined);
// else
void elseDirective(Assembler& as);
// endif
void endifDirective(Assembler& as);
// define <name>
void defineDirective(Assembler& as);
// At the end of a pass: reports (in pass 2) conditionals left open by the source and closes
// them, so that pass 2 starts, and the run ends, with assembly enabled at depth 0.
void closeConditionalsAtEnd(Assembler& as);

}  // namespace zelas
