#include "emit/symbols_file.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "core/assembler.h"
#include "core/buffers.h"

namespace zelas {

namespace {

using Entry = std::pair<std::string, Value>;

// Labels whose value was never resolved (an equ of an undefined name) have no value worth
// handing to a debugger, so they are left out. A local is named after its global; locals
// entered before any global label have no scope to be named after and are left out too.
std::vector<Entry> collectLabels(const LabelTable& table) {
  std::vector<Entry> entries;
  table.store.forEach([&](const Label& label) {
    if (!label.resolved || label.scope == &table.orphanScope) return;
    std::string name = label.scope == nullptr ? label.name : label.scope->name + label.name;
    entries.emplace_back(std::move(name), label.value);
  });
  return entries;
}

// The value as a hex literal the assembler reads back: a leading digit, the "h" suffix, and a
// negative value as its 32-bit pattern, which the hex reader wraps back to the same value.
std::string equLine(const Entry& entry) {
  char value[16];
  std::snprintf(value, sizeof value, "0%Xh", toUnsigned(entry.second));
  return entry.first + ": equ " + value + "\n";
}

}  // namespace

std::string symbolsFileText(const Assembler& as, std::vector<std::string>* leftOut) {
  std::vector<Entry> entries = collectLabels(as.labels);
  // A scope's locals follow their global, but "a.x" sorts after "a-b": sort the full names.
  std::sort(entries.begin(), entries.end());
  std::string text;
  for (const Entry& entry : entries) {
    std::string line = equLine(entry);
    // A local named after its scope can be longer than any line: zelas would cut it.
    if (line.size() - 1 <= kMaxLineLength) {
      text += line;
    } else if (leftOut != nullptr) {
      leftOut->push_back(entry.first);
    }
  }
  return text;
}

}  // namespace zelas
