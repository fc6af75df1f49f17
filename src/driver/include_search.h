// The include search list (--include-path): where an included file is looked for when it is not
// found under the name as written.
#pragma once

#include <string>

namespace zelas {

struct Assembler;

// The name to open for an include of name: name itself when it opens (or when no search list is
// given, or the name is absolute), else the first folder of the list holding it, else name
// unchanged so that the failure names what was written.
std::string findIncludeFile(const Assembler& as, const std::string& name);

}  // namespace zelas
