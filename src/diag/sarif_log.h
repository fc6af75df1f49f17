// The reports of a run as one SARIF 2.1.0 log (--sarif=FILE), the format code-scanning services
// read: a result per report with its rule (the name of its catalogue message), level, message
// and position, and the macro expansions it came from as related locations.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diag/diagnostic.h"

namespace zelas {

class SarifLog {
 public:
  // Keeps d as a result of the run; a listener of the run's reports.
  void add(const Diagnostic& d) { results_.push_back(d); }
  // The whole log, made by zelas toolVersion: every result in the order shown, and the rules
  // they use.
  std::string text(std::string_view toolVersion) const;

 private:
  std::vector<Diagnostic> results_;
};

// The URI of a file name in a log: relative names stay relative (to the working directory),
// absolute ones become file: URIs; bytes other than letters, digits, "-._~" and "/" are
// percent-encoded.
std::string fileUri(const std::string& path);

}  // namespace zelas
