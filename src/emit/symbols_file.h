// The symbols file (--symbols): every label with its final value, for debuggers and emulators,
// in a form that zelas can include back.
#pragma once

#include <string>
#include <vector>

namespace zelas {

struct Assembler;

// One "name: equ 0XXXXh" line per resolved label, in byte-wise name order. A local label is
// named after its scope as "global.local", which reads back as one global label name.
// A label whose line would not fit the 255 characters that zelas reads is left out, its name
// added to leftOut when it is given.
std::string symbolsFileText(const Assembler& as, std::vector<std::string>* leftOut = nullptr);

}  // namespace zelas
