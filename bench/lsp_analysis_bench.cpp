// Whole-document re-analysis by the language server: a synthetic source of LINES lines is
// opened, then changed REPEAT times; each change is timed from its message to the published
// diagnostics, the two passes included. The editor waits this long after a keystroke.
//   lsp_analysis_bench [LINES [REPEAT]]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "lsp/document_store.h"
#include "lsp/server.h"
#include "source_generator.h"

namespace {

using nlohmann::json;
using Clock = std::chrono::steady_clock;

std::string readText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

json message(const std::string& method, json params) {
  return json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

}  // namespace

int main(int argc, char** argv) {
  long lines = argc > 1 ? std::atol(argv[1]) : 10000;
  int repeat = argc > 2 ? std::atoi(argv[2]) : 21;
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "zelas-lsp-bench";
  std::filesystem::create_directories(folder);
  std::filesystem::path source = folder / "bench.asm";
  if (!zelas::bench::writeSource(source.string(), lines, zelas::bench::SourceShape::mix)) {
    std::fprintf(stderr, "cannot write %s\n", source.c_str());
    return 1;
  }
  std::string text = readText(source);
  std::string uri = zelas::lsp::pathToUri(source.string());
  int published = 0;
  zelas::lsp::Server server([&published](const std::string& body) {
    if (body.find("publishDiagnostics") != std::string::npos) ++published;
  });
  auto send = [&server](const json& m) {
    server.receive(zelas::lsp::Frame{false, m.dump()});
    server.work();
  };
  // The synthetic sources overflow every ROM and are assembled with -e.
  send(json{
      {"jsonrpc", "2.0"},
      {"id", 1},
      {"method", "initialize"},
      {"params",
       {{"capabilities", json::object()}, {"initializationOptions", {{"noRomCheck", true}}}}}});
  send(message(
      "textDocument/didOpen",
      {{"textDocument", {{"uri", uri}, {"languageId", "zelas"}, {"version", 1}, {"text", text}}}}));
  std::vector<double> ms;
  for (int i = 0; i < repeat; ++i) {
    // A different comment each time: a real change, of the size of one keystroke.
    std::string changed = text + "; edit " + std::to_string(i) + "\n";
    json change =
        message("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", i + 2}}},
                                           {"contentChanges", {{{"text", changed}}}}});
    int before = published;
    Clock::time_point start = Clock::now();
    send(change);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (published == before) {
      std::fprintf(stderr, "no diagnostics were published\n");
      return 1;
    }
  }
  // The inlay hints of the whole document, answered from the last analysis.
  Clock::time_point start = Clock::now();
  send(json{{"jsonrpc", "2.0"},
            {"id", 2},
            {"method", "textDocument/inlayHint"},
            {"params",
             {{"textDocument", {{"uri", uri}}},
              {"range",
               {{"start", {{"line", 0}, {"character", 0}}},
                {"end", {{"line", lines}, {"character", 0}}}}}}}});
  double hintMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::sort(ms.begin(), ms.end());
  std::printf(
      "re-analysis of %ld lines (%zu bytes): median %.2f ms, fastest %.2f ms, slowest "
      "%.2f ms over %d changes\n",
      lines, text.size(), ms[ms.size() / 2], ms.front(), ms.back(), repeat);
  std::printf("inlay hints of the whole document: %.2f ms\n", hintMs);
  std::filesystem::remove_all(folder);
  return 0;
}
