// Synthetic assembly sources for the benchmarks: a realistic mix of statements, and shapes that
// stress one structure (many labels, many macros, long names, one deep local-label scope).
#pragma once

#include <string>
#include <string_view>

namespace zelas::bench {

// What the generated source is made of.
enum class SourceShape { mix, labels, macros, longNames, deepLocals, noLabels };

// The shape named name ("mix", "labels", "macros", "long-names", "deep-locals",
// "no-labels"); false if unknown.
bool parseShape(std::string_view name, SourceShape& shape);
// The name of shape, as parseShape accepts it.
const char* shapeName(SourceShape shape);

// Writes a source of about lines lines to path, and the file it includes beside it; false when a
// file can't be written. The same arguments always give the same bytes.
bool writeSource(const std::string& path, long lines, SourceShape shape);

}  // namespace zelas::bench
