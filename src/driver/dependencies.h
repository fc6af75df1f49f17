// Make dependency rules (--deps): which files a run read, and the rule that tells make to
// assemble again when one of them changes.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/file_system.h"

namespace zelas {

// Names in first-use order, each kept once; adding costs the same however many there are.
class FileSet {
 public:
  // Adds name unless it is already there; true when it was added.
  bool add(const std::string& name);
  // The names in the order they were first added.
  const std::vector<std::string>& names() const { return order_; }

 private:
  std::vector<std::string> order_;
  std::unordered_set<std::string> seen_;
};

// name written so that make reads it back as one word (blanks, '#' and '$' escaped).
std::string escapeForMake(std::string_view name);

// The text of the dependency file: one rule making targets depend on every prerequisite, then an
// empty rule for each prerequisite after the first, so that a deleted include forces a rebuild
// instead of stopping make.
std::string dependencyRules(const std::vector<std::string>& targets,
                            const std::vector<std::string>& prerequisites);

// Writes text to path through files; false when the file can't be created, or can't be written
// completely (and then no file of that name is left).
bool writeTextFile(FileSystem& files, const std::string& path, const std::string& text);

}  // namespace zelas
