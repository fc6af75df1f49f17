// The configuration file: tab width and ROM fill value.
#pragma once

#include <optional>
#include <string>

#include "core/value.h"

namespace zelas {

struct Assembler;

// Reads path; explicit is true for a -c name (a missing file is then a warning).
void readConfiguration(Assembler& as, const std::string& path, bool isExplicit);
// The value at the cursor (decimal, d, h, b, with an optional K multiplier), or nothing.
std::optional<Value> parseConfigValue(Assembler& as);

}  // namespace zelas
