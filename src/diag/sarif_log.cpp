#include "diag/sarif_log.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <vector>

#include "core/buffers.h"
#include "diag/messages.h"

namespace zelas {

namespace {

// Keys in the order the format lists them, so that a log reads (and compares) the same each run.
using Json = nlohmann::ordered_json;

constexpr char kSchema[] = "https://json.schemastore.org/sarif-2.1.0.json";

struct SarifRule {
  std::string_view id;
  const char* text;
  const char* level;
};

#define ZELAS_SARIF_ERROR(name, text) {#name, text, "error"},
#define ZELAS_SARIF_WARNING(name, text) {#name, text, "warning"},
// Every reported message of the catalogue, in its order: the rule ids are the ones the records
// carry.
constexpr SarifRule kRules[] = {ZELAS_FATAL_MESSAGES(ZELAS_SARIF_ERROR)
                                    ZELAS_ERROR_MESSAGES(ZELAS_SARIF_ERROR)
                                        ZELAS_WARNING_MESSAGES(ZELAS_SARIF_WARNING)
                                            ZELAS_MINOR_WARNING_MESSAGES(ZELAS_SARIF_WARNING)};
#undef ZELAS_SARIF_ERROR
#undef ZELAS_SARIF_WARNING

// A message text on one line, as the records give it: printf forms and all.
std::string oneLine(std::string_view text) {
  std::string s(text);
  while (!s.empty() && s.back() == '\n') s.pop_back();
  for (char& c : s) {
    if (c == '\n') c = ' ';
  }
  return s;
}

Json ruleObject(const SarifRule& rule) {
  return {{"id", rule.id},
          {"shortDescription", {{"text", oneLine(rule.text)}}},
          {"defaultConfiguration", {{"level", rule.level}}}};
}

// The row of id in kRules, or nothing for a text that is not in the catalogue.
std::optional<std::size_t> catalogueRow(std::string_view id) {
  for (std::size_t i = 0; i < std::size(kRules); ++i) {
    if (kRules[i].id == id) return i;
  }
  return std::nullopt;
}

// The rules a log describes: the ones its results use, in the order of their first use, so that
// a log stays as small as its run. Results refer to them by index.
class UsedRules {
 public:
  // The index of the rule of id in the log, added on its first use.
  std::optional<std::size_t> indexOf(std::string_view id) {
    std::optional<std::size_t> row = catalogueRow(id);
    if (!row) return std::nullopt;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (rows_[i] == *row) return i;
    }
    rows_.push_back(*row);
    return rows_.size() - 1;
  }
  Json objects() const {
    Json rules = Json::array();
    for (std::size_t row : rows_) rules.push_back(ruleObject(kRules[row]));
    return rules;
  }

 private:
  std::vector<std::size_t> rows_;
};

Json physicalLocation(const SourcePosition& at) {
  return {{"artifactLocation", {{"uri", fileUri(at.file)}}},
          {"region", {{"startLine", at.line}, {"startColumn", at.column}}}};
}

Json expansionLocation(const ExpansionStep& step, int id) {
  char note[kLineSize];
  std::snprintf(note, sizeof note, msg::inExpansionOfMacro, step.macro.c_str());
  return {{"id", id},
          {"physicalLocation", physicalLocation(step.invokedAt)},
          {"message", {{"text", note}}}};
}

Json resultObject(const Diagnostic& d, UsedRules& rules) {
  Json result = {{"ruleId", d.ruleId}};
  if (std::optional<std::size_t> index = rules.indexOf(d.ruleId)) result["ruleIndex"] = *index;
  result["level"] = d.severity == Severity::warning ? "warning" : "error";
  result["message"] = {{"text", d.message}};
  if (d.position)
    result["locations"] = Json::array({{{"physicalLocation", physicalLocation(*d.position)}}});
  if (!d.expansions.empty()) {
    Json related = Json::array();
    for (const ExpansionStep& step : d.expansions) {
      related.push_back(expansionLocation(step, static_cast<int>(related.size()) + 1));
    }
    result["relatedLocations"] = related;
  }
  // What the levels cannot say: a warning -b leaves out, and an error that stopped the run.
  if (d.minor) result["properties"] = {{"minor", true}};
  if (d.severity == Severity::fatal) result["properties"] = {{"fatal", true}};
  return result;
}

// Letters, digits and "-._~" stand for themselves in a URI, and "/" separates the folders.
bool keptInUri(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

std::string SarifLog::text(std::string_view toolVersion) const {
  UsedRules rules;
  Json results = Json::array();
  for (const Diagnostic& d : results_) results.push_back(resultObject(d, rules));
  Json driver = {{"name", "zelas"}, {"version", toolVersion}, {"rules", rules.objects()}};
  Json run = {{"tool", {{"driver", driver}}}, {"results", results}};
  Json log = {{"$schema", kSchema}, {"version", "2.1.0"}, {"runs", Json::array({run})}};
  return log.dump(2) + "\n";
}

std::string fileUri(const std::string& written) {
  static constexpr char kHex[] = "0123456789ABCDEF";
#ifdef _WIN32
  // Windows separates folders with backslashes too, and an absolute path starts with its
  // drive: C:\dir\prog.asm is file:///C%3A/dir/prog.asm.
  std::string path = written;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      path[2] == '/') {
    path.insert(0, "/");
  }
#else
  const std::string& path = written;
#endif
  std::string uri = path.starts_with('/') ? "file://" : "";
  for (unsigned char c : path) {
    if (keptInUri(c)) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 0xF];
    }
  }
  return uri;
}

}  // namespace zelas
