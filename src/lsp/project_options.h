// The options a project assembles with, as the editor's client gives them at initialisation.
// They become the same argument vector the command line takes, so that the editor and a build
// assemble alike; a zelas.cfg beside the source is read by the assembler itself, as on the
// command line.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

namespace zelas::lsp {

struct ProjectOptions {
  std::vector<std::string> includePath;  // --include-path folders, in search order
  std::vector<std::string> defines;      // -d symbols
  std::string product;                   // -p product ID; empty: the source's cpu line decides
  bool noRomCheck = false;               // -e
  std::optional<int> tabWidth;           // -t
};

// The options of initializationOptions (includePath, defines, product, noRomCheck, tabWidth);
// members of the wrong type are left at their defaults.
ProjectOptions projectOptionsFrom(const nlohmann::json& initializationOptions);

// The command line that assembles source with options.
std::vector<std::string> commandLineFor(const ProjectOptions& options, const std::string& source);

}  // namespace zelas::lsp
