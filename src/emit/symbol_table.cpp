#include "emit/symbol_table.h"

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/assembler.h"
#include "emit/listing.h"

namespace zelas {

namespace {

// Appends to a row in a buffer large enough for any row.
struct RowText {
  char* out;
  void push_back(char c) { *out++ = c; }
  void append(std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    out += text.size();
  }
  void fill(std::size_t blanks) {
    std::memset(out, ' ', blanks);
    out += blanks;
  }
};

// "\n%4x %c %-20s   %d", formatted here: a large program lists a row per global label.
void writeSymbolRow(Assembler& as, const std::string& name, const Label& label) {
  // The name stops at its first NUL, as "%s" would stop.
  std::string_view shown(name.c_str());
  if (shown.size() > kLineSize) {  // names come from lines, so this is only a safeguard
    listPrintf(as, "\n%4x %c %-20s   %d", toUnsigned(label.value), label.kind, name.c_str(),
               label.uses);
    return;
  }
  char text[kLineSize + 64];
  RowText row{text};
  row.push_back('\n');
  char digits[8];
  int count = 0;
  for (unsigned v = toUnsigned(label.value); count == 0 || v != 0; v >>= 4) {
    digits[count++] = "0123456789abcdef"[v & 0xF];
  }
  row.fill(count < 4 ? static_cast<std::size_t>(4 - count) : 0);
  while (count > 0) row.push_back(digits[--count]);
  row.push_back(' ');
  row.push_back(label.kind);
  row.push_back(' ');
  row.append(shown);
  row.fill(shown.size() < 20 ? 20 - shown.size() : 0);
  row.append("   ");
  char uses[16];
  auto [end, ec] = std::to_chars(uses, uses + sizeof uses, label.uses);
  row.append(std::string_view(uses, static_cast<std::size_t>(end - uses)));
  listWrite(as, text, static_cast<std::size_t>(row.out - text));
}

}  // namespace

void writeSymbolTable(Assembler& as) {
  listPrintf(as, "\n ************ SYMBOLIC REFERENCE TABLE ************\n");
  listPrintf(as, "\nValue  Label                # Uses ");
  listPrintf(as, "\n-----  -------------------- ------");
  // Local labels live in their global's own scope and are never listed.
  const std::vector<const Label*> sorted = sortedGlobals(as.labels);
  for (const Label* label : sorted) {
    if (!label->name.empty() && label->name.front() != '.') writeSymbolRow(as, label->name, *label);
  }
  listPrintf(as, "\n");
}

}  // namespace zelas
