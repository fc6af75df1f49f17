#include "driver/dependencies.h"

#include <memory>

namespace zelas {

bool FileSet::add(const std::string& name) {
  if (!seen_.insert(name).second) return false;
  order_.push_back(name);
  return true;
}

bool makeCanName(std::string_view name) {
  return !name.empty() && name.find_first_of(";\n\r") == std::string_view::npos &&
         name.back() != '\\';
}

// make splits words at blanks, starts a comment at '#' and ends the targets at ':'; a backslash
// escapes each, and the backslashes right in front of an escaped character must be doubled to
// stay backslashes. '$' starts a variable reference and is written twice.
std::string escapeForMake(std::string_view name, MakeRole role) {
  std::string out;
  std::size_t backslashes = 0;
  for (char c : name) {
    if (c == ' ' || c == '\t' || c == '#' || c == ':' || (c == '%' && role == MakeRole::target)) {
      out.append(backslashes, '\\');
      out += '\\';
    } else if (c == '$') {
      out += '$';
    }
    backslashes = (c == '\\') ? backslashes + 1 : 0;
    out += c;
  }
  return out;
}

namespace {

// The names make can write; the others go to leftOut.
std::vector<std::string> nameable(const std::vector<std::string>& names,
                                  std::vector<std::string>* leftOut) {
  std::vector<std::string> kept;
  for (const std::string& name : names) {
    if (makeCanName(name)) {
      kept.push_back(name);
    } else if (leftOut != nullptr) {
      leftOut->push_back(name);
    }
  }
  return kept;
}

}  // namespace

std::string dependencyRules(const std::vector<std::string>& allTargets,
                            const std::vector<std::string>& allPrerequisites,
                            std::vector<std::string>* leftOut) {
  const std::vector<std::string> targets = nameable(allTargets, leftOut);
  const std::vector<std::string> prerequisites = nameable(allPrerequisites, leftOut);
  if (targets.empty()) return {};
  std::string text;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (i != 0) text += ' ';
    text += escapeForMake(targets[i], MakeRole::target);
  }
  text += ':';
  for (const std::string& name : prerequisites) {
    text += ' ';
    text += escapeForMake(name, MakeRole::prerequisite);
  }
  text += '\n';
  // The first prerequisite is the source itself: a missing source must stop make.
  for (std::size_t i = 1; i < prerequisites.size(); ++i) {
    text += '\n';
    text += escapeForMake(prerequisites[i], MakeRole::target);
    text += ":\n";
  }
  return text;
}

bool writeTextFile(FileSystem& files, const std::string& path, const std::string& text) {
  std::unique_ptr<OutputFile> file = files.createOutput(path);
  if (file == nullptr) return false;
  if (file->write(text.data(), text.size()) && file->commit()) return true;
  // An old file of the name is not this run's text: nothing may go on trusting it.
  files.remove(path);
  return false;
}

}  // namespace zelas
