#include "statements/conditionals.h"

#include <string>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/listing.h"
#include "scan/scanner.h"
#include "statements/defined_symbols.h"
#include "symbols/expression.h"

namespace zelas {

namespace {

// condStack holds the base entry and one entry per open conditional: its size is condDepth + 1.
int& innermostEntry(Assembler& as) {
  return as.condStack[static_cast<std::size_t>(as.condDepth)];
}

int enclosingEntry(const Assembler& as) {
  return as.condStack[static_cast<std::size_t>(as.condDepth - 1)];
}

void pushLevel(Assembler& as, int entry) {
  if (as.condDepth >= kMaxCondDepth) reportFatal(as, msg::condTooDeep, kMaxCondDepth);
  as.condStack.resize(static_cast<std::size_t>(as.condDepth) + 1);
  as.condStack.push_back(entry);
  ++as.condDepth;
}

void resetConditionals(Assembler& as) {
  as.condDepth = 0;
  as.condStack.assign(1, 1);
  as.assemblyEnabled = 1;
}

}  // namespace

void openConditional(Assembler& as, bool condition) {
  if (as.condDepth > 0 && innermostEntry(as) == 0) {
    // Inside a skipped branch the whole conditional is skipped, whatever its condition.
    pushLevel(as, 0);
  } else if (condition) {
    pushLevel(as, as.assemblyEnabled);
  } else {
    as.assemblyEnabled = 0;
    pushLevel(as, 0);
  }
}

// if <expr>
void ifDirective(Assembler& as) {
  // Evaluated in skipped branches too, so its reports appear there as well; an expression that
  // can't be evaluated gives 0 and the branch is skipped.
  Value value = evaluateExpression(as);
  openConditional(as, value != 0);
  listTextLine(as);
}

// ifdef <name> / ifndef <name>
void ifdefDirective(Assembler& as, bool wantDefined) {
  std::string name = readToken(as, true);
  bool defined = !name.empty() && isDefinedSymbol(as.definedSymbols, name);
  openConditional(as, defined == wantDefined);
  listTextLine(as);
}

// else
void elseDirective(Assembler& as) {
  if (as.condDepth == 0) {
    // With no open conditional there is nothing to toggle. Taking the base level instead would
    // switch assembly off for the rest of the run (pass 2 included) without a word, so the
    // stray else is reported and ignored.
    reportError(as, msg::strayElse);
    listTextLine(as);
    return;
  }
  if (enclosingEntry(as) == 1) {
    as.assemblyEnabled = as.assemblyEnabled ? 0 : 1;
  } else {
    as.assemblyEnabled = 0;
  }
  innermostEntry(as) = as.assemblyEnabled;
  listTextLine(as);
}

// endif
void endifDirective(Assembler& as) {
  if (as.condDepth == 0) {
    // Harmless (assembly stays as the base level has it), but it points at a lost if.
    reportError(as, msg::strayEndif);
  } else {
    --as.condDepth;
    as.condStack.pop_back();
  }
  as.assemblyEnabled = innermostEntry(as);
  listTextLine(as);
}

// define <name>
void defineDirective(Assembler& as) {
  std::string name = readToken(as, true);
  if (name.empty()) {
    reportError(as, msg::missingDefineToken);
  } else {
    addDefinedSymbol(as.definedSymbols, name);
  }
  listTextLine(as);
}

void closeConditionalsAtEnd(Assembler& as) {
  // A source that ends inside a conditional would carry its skipped state into pass 2 and
  // could leave the whole second pass unassembled. Each pass therefore ends with the levels
  // closed; pass 2 meets the same open levels again, so reporting there shows the fault once.
  if (as.condDepth > 0 && as.pass == 2) reportError(as, msg::condOpenAtEnd, as.condDepth);
  resetConditionals(as);
}

}  // namespace zelas
