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

// Where a name stands in a rule: make reads '%' in a target as a pattern, in a prerequisite of
// an explicit rule as itself.
enum class MakeRole { target, prerequisite };

// False for a name that make can't write in a rule whatever the escaping: it has no escape for
// ';' (which starts a recipe) or a line end, and a backslash ending a name joins it to the
// blank or the line end after it.
bool makeCanName(std::string_view name);
// name written so that make reads it back as one word: blanks, '#' and ':' (and '%' in a
// target) escaped with a backslash, the backslashes in front of them doubled, '$' doubled.
std::string escapeForMake(std::string_view name, MakeRole role = MakeRole::prerequisite);

// The text of the dependency file: one rule making targets depend on every prerequisite, then an
// empty rule for each prerequisite after the first, so that a deleted include forces a rebuild
// instead of stopping make. Names that make can't write are left out, and added to leftOut when
// it is given.
std::string dependencyRules(const std::vector<std::string>& targets,
                            const std::vector<std::string>& prerequisites,
                            std::vector<std::string>* leftOut = nullptr);

// Writes text to path through files; false when the file can't be created, or can't be written
// completely (and then no file of that name is left).
bool writeTextFile(FileSystem& files, const std::string& path, const std::string& text);

}  // namespace zelas
