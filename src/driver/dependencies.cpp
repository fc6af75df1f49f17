#include "driver/dependencies.h"

#include <memory>

namespace zelas {

bool FileSet::add(const std::string& name) {
  if (!seen_.insert(name).second) return false;
  order_.push_back(name);
  return true;
}

// make splits words at blanks and starts a comment at '#'; a backslash escapes both, and the
// backslashes right in front of an escaped character must be doubled to stay backslashes.
// '$' starts a variable reference and is written twice.
std::string escapeForMake(std::string_view name) {
  std::string out;
  std::size_t backslashes = 0;
  for (char c : name) {
    if (c == ' ' || c == '\t' || c == '#') {
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

std::string dependencyRules(const std::vector<std::string>& targets,
                            const std::vector<std::string>& prerequisites) {
  std::string text;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (i != 0) text += ' ';
    text += escapeForMake(targets[i]);
  }
  text += ':';
  for (const std::string& name : prerequisites) {
    text += ' ';
    text += escapeForMake(name);
  }
  text += '\n';
  // The first prerequisite is the source itself: a missing source must stop make.
  for (std::size_t i = 1; i < prerequisites.size(); ++i) {
    text += '\n';
    text += escapeForMake(prerequisites[i]);
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
