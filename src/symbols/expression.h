// The expression evaluator: operator precedence over an operator stack and a value stack.
#pragma once

#include "core/value.h"

namespace zelas {

struct Assembler;

// Evaluates one expression at the cursor, up to the end of the line, "," or "]" (not consumed).
// Sets as.exprResolved when a value was produced.
Value evaluateExpression(Assembler& as);

}  // namespace zelas
