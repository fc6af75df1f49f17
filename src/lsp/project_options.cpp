#include "lsp/project_options.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace zelas::lsp {

namespace {

std::vector<std::string> stringsOf(const nlohmann::json& options, const char* key) {
  std::vector<std::string> strings;
  auto found = options.find(key);
  if (found == options.end() || !found->is_array()) return strings;
  for (const nlohmann::json& item : *found) {
    if (item.is_string()) strings.push_back(item.get<std::string>());
  }
  return strings;
}

}  // namespace

ProjectOptions projectOptionsFrom(const nlohmann::json& initializationOptions) {
  ProjectOptions options;
  if (!initializationOptions.is_object()) return options;
  const nlohmann::json& o = initializationOptions;
  options.includePath = stringsOf(o, "includePath");
  options.defines = stringsOf(o, "defines");
  if (auto p = o.find("product"); p != o.end() && p->is_string()) options.product = *p;
  if (auto e = o.find("noRomCheck"); e != o.end() && e->is_boolean()) options.noRomCheck = *e;
  if (auto t = o.find("tabWidth"); t != o.end() && t->is_number_integer()) {
    // The command line takes any number; one beyond a line's width is already nonsense.
    options.tabWidth = static_cast<int>(std::clamp<long long>(t->get<long long>(), 1, 256));
  }
  return options;
}

std::vector<std::string> commandLineFor(const ProjectOptions& options, const std::string& source) {
  std::vector<std::string> args;
  for (const std::string& folder : options.includePath) args.push_back("--include-path=" + folder);
  for (const std::string& symbol : options.defines) args.push_back("-d" + symbol);
  if (!options.product.empty()) args.push_back("-p" + options.product);
  if (options.noRomCheck) args.emplace_back("-e");
  if (options.tabWidth) args.push_back("-t" + std::to_string(*options.tabWidth));
  args.push_back(source);
  return args;
}

}  // namespace zelas::lsp
