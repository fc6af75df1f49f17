// The expression evaluator: operator precedence over an operator stack and a value stack.
#pragma once

#include "core/value.h"

namespace zelas {

struct Assembler;

// Evaluates one expression at the cursor, up to the end of the line, "," or "]" (not consumed).
// Sets as.exprResolved when a value was produced.
Value evaluateExpression(Assembler& as);

// An operand whose value only pass 2 needs (instructions, data items): their size never depends
// on it, and pass 1 reports nothing about it. Pass 1 steps over it and gets 0, with
// as.exprResolved cleared; pass 2 evaluates it. The cursor ends where evaluateExpression leaves it.
Value evaluateOperand(Assembler& as);

}  // namespace zelas
