// A label record: one per label name and scope, entered in pass 1 and kept to the end of the run.
#pragma once

#include <cstdint>
#include <string>

#include "core/value.h"

namespace zelas {

struct Label {
  std::string name;
  Value value = 0;
  char kind = ' ';               // ' ' address label, '=' set by equ
  bool resolved = true;          // cleared while an equ/org value is unknown
  Value uses = 0;                // pass-2 evaluations as an operand
  const Label* scope = nullptr;  // locals: the global (or orphan scope) they belong to
  bool duplicate = false;        // pass 1 met a second definition (reported there)
  // Globals: the number the label store files their locals under (scopes in opening order).
  std::uint32_t scopeNumber = 0;
};

}  // namespace zelas
