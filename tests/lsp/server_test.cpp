// The language server driven as a client drives it, whole replies compared as parsed JSON.
#include "lsp/server.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "lsp/document_store.h"
#include "lsp/lsp_session.h"
#include "lsp/transport.h"
#include "support/test_support.h"

namespace zelas::lsp {
namespace {

using nlohmann::json;
using test::at;
using test::LspSession;

// A program with a product, an equ, a global label with a local one, and an unknown name.
constexpr char kProgram[] =
    "\tcpu PX101\n"
    "limit:\tequ 10\n"
    "start:\tmov a,limit\n"
    ".loop:\tdec a\n"
    "\tjnz .loop\n"
    "\tjmp start\n"
    "\tjmp nowhere\n";

json range(int line, int start, int end) {
  return json{{"start", {{"line", line}, {"character", start}}},
              {"end", {{"line", line}, {"character", end}}}};
}

json location(const std::string& uri, int line, int start, int end) {
  return json{{"uri", uri}, {"range", range(line, start, end)}};
}

// params with the members of extra added.
json with(json params, const json& extra) {
  params.update(extra);
  return params;
}

json reply(int id, json result) {
  return json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

json errorReply(json id, int code, const std::string& message) {
  return json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

class LanguageServer : public ::testing::Test {
 protected:
  void SetUp() override {
    uri = pathToUri((dir.path() / "prog.asm").string());
    session.initialize();
  }
  // The editor's buffer; the file beside it holds the same text.
  void openProgram(const std::string& text = kProgram) {
    zelas::test::writeFile(dir.path() / "prog.asm", text);
    session.open(uri, text);
  }

  zelas::test::ScopedTempDir dir;
  LspSession session;
  std::string uri;
};

TEST(LanguageServerLifecycle, AnswersInitializeWithItsCapabilitiesAndEndsOnExit) {
  LspSession session;
  EXPECT_EQ(session.request("textDocument/hover", at("file:///x.asm", 0, 0)),
            errorReply(1, -32002, "the server is not initialized"));
  json caps{{"positionEncoding", "utf-16"},
            {"textDocumentSync", {{"openClose", true}, {"change", 1}}},
            {"definitionProvider", true},
            {"referencesProvider", true},
            {"renameProvider", true},
            {"hoverProvider", true},
            {"completionProvider", json::object()},
            {"documentSymbolProvider", true},
            {"documentLinkProvider", json::object()},
            {"inlayHintProvider", true}};
  EXPECT_EQ(session.initialize(),
            reply(2, {{"capabilities", caps},
                      {"serverInfo", {{"name", "zelas"}, {"version", ZELAS_VERSION}}}}));
  EXPECT_EQ(session.request("shutdown", nullptr), reply(3, nullptr));
  EXPECT_EQ(session.request("textDocument/hover", at("file:///x.asm", 0, 0)),
            errorReply(4, -32600, "the server is shutting down"));
  EXPECT_FALSE(session.exited());
  session.notify("exit", nullptr);
  EXPECT_TRUE(session.exited());
  EXPECT_EQ(session.exitStatus(), 0);
}

TEST(LanguageServerLifecycle, ExitWithoutShutdownEndsWithFailure) {
  LspSession session;
  session.initialize();
  session.notify("exit", nullptr);
  EXPECT_TRUE(session.exited());
  EXPECT_EQ(session.exitStatus(), 1);
}

// A client offering byte offsets gets them; and one without inlay hints gets code lenses.
TEST(LanguageServerLifecycle, ChoosesEncodingAndHintsFromTheClientsCapabilities) {
  LspSession session;
  json r =
      session.request("initialize", {{"capabilities",
                                      {{"general", {{"positionEncodings", {"utf-16", "utf-8"}}}},
                                       {"textDocument", {{"codeLens", json::object()}}}}}});
  EXPECT_EQ(r["result"]["capabilities"]["positionEncoding"], "utf-8");
  EXPECT_EQ(r["result"]["capabilities"]["codeLensProvider"], json::object());
  EXPECT_FALSE(r["result"]["capabilities"].contains("inlayHintProvider"));
}

TEST_F(LanguageServer, PublishesTheReportsOfTheCommandLineOnOpen) {
  openProgram();
  std::vector<json> notes = session.takeNotifications();
  ASSERT_EQ(notes.size(), 1u);
  json diagnostic{{"range", range(6, 5, 12)},
                  {"severity", 2},
                  {"source", "zelas"},
                  {"message", "Unable to resolve operand 'nowhere'"}};
  EXPECT_EQ(notes[0], (json{{"jsonrpc", "2.0"},
                            {"method", "textDocument/publishDiagnostics"},
                            {"params", {{"uri", uri}, {"diagnostics", {diagnostic}}}}}));
}

TEST_F(LanguageServer, FindsDefinitionsAndReferencesOfLabelsLocalsAndEquNames) {
  openProgram();
  // On "limit" in "mov a,limit": its equ line.
  EXPECT_EQ(session.request("textDocument/definition", at(uri, 2, 14)),
            reply(2, location(uri, 1, 0, 5)));
  // On ".loop" in "jnz .loop".
  EXPECT_EQ(session.request("textDocument/definition", at(uri, 4, 6)),
            reply(3, location(uri, 3, 0, 5)));
  json refs = {location(uri, 2, 0, 5), location(uri, 5, 5, 10)};
  EXPECT_EQ(session.request("textDocument/references",
                            with(at(uri, 2, 2), {{"context", {{"includeDeclaration", true}}}})),
            reply(4, refs));
  EXPECT_EQ(session.request("textDocument/references",
                            with(at(uri, 2, 2), {{"context", {{"includeDeclaration", false}}}})),
            reply(5, json{location(uri, 5, 5, 10)}));
  // On blanks and on a mnemonic: nothing.
  EXPECT_EQ(session.request("textDocument/definition", at(uri, 4, 0)), reply(6, nullptr));
  EXPECT_EQ(session.request("textDocument/definition", at(uri, 4, 2)), reply(7, nullptr));
}

TEST_F(LanguageServer, RenamesEveryWrittenSiteAndRefusesNamesOfTheWrongKind) {
  openProgram();
  json edits = {{{"range", range(3, 0, 5)}, {"newText", ".again"}},
                {{"range", range(4, 5, 10)}, {"newText", ".again"}}};
  EXPECT_EQ(session.request("textDocument/rename", with(at(uri, 3, 1), {{"newName", ".again"}})),
            reply(2, {{"changes", {{uri, edits}}}}));
  EXPECT_EQ(session.request("textDocument/rename", with(at(uri, 3, 1), {{"newName", "global"}})),
            errorReply(3, -32602, "'global' is not a valid name here"));
  EXPECT_EQ(session.request("textDocument/rename", with(at(uri, 0, 0), {{"newName", "x"}})),
            errorReply(4, -32602, "no label, equ name or macro to rename here"));
}

TEST_F(LanguageServer, HoversWithValuesListingBytesAndProducts) {
  openProgram();
  auto markdown = [](const std::string& text) {
    return json{{"contents", {{"kind", "markdown"}, {"value", text}}}};
  };
  EXPECT_EQ(session.request("textDocument/hover", at(uri, 2, 2)),
            reply(2, markdown("**start**: code label at 0000h\n\n`0000 19 0A [04]`")));
  EXPECT_EQ(session.request("textDocument/hover", at(uri, 1, 1)),
            reply(3, markdown("**limit**: equ Ah (10)")));
  EXPECT_EQ(session.request("textDocument/hover", at(uri, 4, 6)),
            reply(4, markdown("**.loop**: local label of start at 0002h\n\n`0003 B0 02 [05]`")));
  EXPECT_EQ(session.request("textDocument/hover", at(uri, 0, 6)),
            reply(5, markdown("**PX101**: CPU family A, RAM 00h-7Fh (128 bytes), ROM 2048 bytes")));
  EXPECT_EQ(session.request("textDocument/hover", at(uri, 5, 2)),
            reply(6, markdown("**jmp**\n\n| form | opcode | bytes | cycles | families |\n"
                              "|---|---|---|---|---|\n| jmp expr | 80h | 2 | 5 | A, B |"
                              "\n\n`0005 80 00 [05]`")));
  // Anywhere on a cpu line: the product it selects.
  EXPECT_EQ(session.request("textDocument/hover", at(uri, 0, 2)),
            reply(7, markdown("**PX101**: CPU family A, RAM 00h-7Fh (128 bytes), ROM 2048 bytes")));
  // A directive word that places no byte has nothing to show.
  EXPECT_EQ(session.request("textDocument/hover", at(uri, 1, 8)), reply(8, nullptr));
}

}  // namespace
}  // namespace zelas::lsp

namespace zelas::lsp {
namespace {

TEST_F(LanguageServer, ListsSymbolsWithTheirLocalsAndHintsEachLinesCode) {
  openProgram(
      "\tcpu PX101\nlimit:\tequ 10\nmacro m\n\tnop\nendm\nstart:\tm\n.loop:\tjmp .loop\n"
      "\torg 0FFh\nfar:\tnop\n");
  json symbols = {
      {{"name", "limit"},
       {"kind", 14},
       {"range", range(1, 0, 13)},
       {"selectionRange", range(1, 0, 5)}},
      {{"name", "m"}, {"kind", 6}, {"range", range(2, 0, 7)}, {"selectionRange", range(2, 6, 7)}},
      {{"name", "start"},
       {"kind", 12},
       {"range", range(5, 0, 8)},
       {"selectionRange", range(5, 0, 5)},
       {"children",
        {{{"name", ".loop"},
          {"kind", 13},
          {"range", range(6, 0, 16)},
          {"selectionRange", range(6, 0, 5)}}}}},
      {{"name", "far"},
       {"kind", 12},
       {"range", range(8, 0, 8)},
       {"selectionRange", range(8, 0, 3)}},
  };
  EXPECT_EQ(session.request("textDocument/documentSymbol", {{"textDocument", {{"uri", uri}}}}),
            reply(2, symbols));
  json hints = {
      {{"position", {{"line", 5}, {"character", 8}}},
       {"label", "0000: 20 [4]"},
       {"paddingLeft", true}},
      {{"position", {{"line", 6}, {"character", 16}}},
       {"label", "0001: 80 01 [5]"},
       {"paddingLeft", true}},
      {{"position", {{"line", 8}, {"character", 8}}},
       {"label", "0100: 20 [4] +XPAGE"},
       {"paddingLeft", true}},
  };
  EXPECT_EQ(
      session.request("textDocument/inlayHint", {{"textDocument", {{"uri", uri}}},
                                                 {"range",
                                                  {{"start", {{"line", 0}, {"character", 0}}},
                                                   {"end", {{"line", 99}, {"character", 0}}}}}}),
      reply(3, hints));
}

TEST_F(LanguageServer, CompletesFromTheTablesAndTheLabelsInScope) {
  openProgram("first:\tnop\n.here:\tnop\nsecond:\tnop\n.there:\tnop\n\tjmp \n");
  json r = session.request("textDocument/completion", at(uri, 4, 5));
  std::set<std::string> labels;
  for (const json& item : r["result"]) labels.insert(item["label"]);
  for (const char* expected : {"mov", "jmp", "xpage", "ifdef", "macro", "endm", "include", "cpu",
                               "psp", "x", "PX101", "first", "second", ".there"}) {
    EXPECT_EQ(labels.count(expected), 1u) << expected;
  }
  // A local label of another scope is not in scope here.
  EXPECT_EQ(labels.count(".here"), 0u);
  EXPECT_EQ(labels.count("expr"), 0u);
}

// The reports of an expansion stand in the macro body, with the invocation as related
// information; those of an included file are published for that file.
TEST_F(LanguageServer, PublishesReportsOfExpansionsAndIncludedFiles) {
  zelas::test::writeFile(dir.path() / "defs.inc", "\tjmp missing\n");
  openProgram("macro m\n\tmov a,unknown\nendm\n\tinclude \"defs.inc\"\n\tm\n");
  std::string inc = pathToUri((dir.path() / "defs.inc").string());
  std::vector<json> notes = session.takeNotifications();
  ASSERT_EQ(notes.size(), 2u);
  json inExpansion{
      {"range", range(1, 7, 14)},
      {"severity", 2},
      {"source", "zelas"},
      {"message", "Unable to resolve operand 'unknown'"},
      {"relatedInformation",
       {{{"location", location(uri, 4, 1, 2)}, {"message", "in expansion of this invocation"}}}}};
  json inInclude{{"range", range(0, 5, 12)},
                 {"severity", 2},
                 {"source", "zelas"},
                 {"message", "Unable to resolve operand 'missing'"}};
  std::map<std::string, json> byUri;
  for (const json& n : notes) byUri[n["params"]["uri"]] = n["params"]["diagnostics"];
  EXPECT_EQ(byUri[uri], json{inExpansion});
  EXPECT_EQ(byUri[inc], json{inInclude});
  // The include name links to the file, and leads to it.
  EXPECT_EQ(session.request("textDocument/documentLink", {{"textDocument", {{"uri", uri}}}}),
            reply(2, json{{{"range", range(3, 10, 18)}, {"target", inc}}}));
  EXPECT_EQ(session.request("textDocument/definition", at(uri, 3, 12)),
            reply(3, location(inc, 0, 0, 0)));
}

TEST_F(LanguageServer, ReanalysesOnChangeAndClearsReportsOnClose) {
  openProgram("\tjmp nowhere\n");
  ASSERT_EQ(session.takeNotifications()[0]["params"]["diagnostics"].size(), 1u);
  // The buffer is not saved: the analysis reads it, not the file.
  std::string fixed = "nowhere:\tjmp nowhere\n";
  session.notify("textDocument/didChange", {{"textDocument", {{"uri", uri}, {"version", 2}}},
                                            {"contentChanges", {{{"text", fixed}}}}});
  std::vector<json> notes = session.takeNotifications();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0]["params"], (json{{"uri", uri}, {"diagnostics", json::array()}}));
  session.notify("textDocument/didClose", {{"textDocument", {{"uri", uri}}}});
  notes = session.takeNotifications();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0]["params"], (json{{"uri", uri}, {"diagnostics", json::array()}}));
  EXPECT_EQ(session.request("textDocument/hover", at(uri, 0, 0)),
            errorReply(2, -32602, "document not open: " + uri));
}

// An included file open in the editor is read from its buffer, and nothing is written beside
// the source.
TEST_F(LanguageServer, ReadsOpenBuffersOfIncludedFilesAndWritesNoFiles) {
  zelas::test::writeFile(dir.path() / "defs.inc", "\tjmp missing\n");
  std::string inc = pathToUri((dir.path() / "defs.inc").string());
  session.open(inc, "missing:\tnop\n");
  session.takeNotifications();
  session.open(uri, "\tinclude \"defs.inc\"\n\tjmp missing\n");
  for (const json& note : session.takeNotifications()) {
    EXPECT_EQ(note["params"]["diagnostics"], json::array()) << note.dump();
  }
  EXPECT_EQ(session.request("textDocument/definition", at(uri, 1, 6)),
            reply(2, location(inc, 0, 0, 7)));
  // The included file's own requests are answered from the analysis that includes it.
  EXPECT_EQ(session.request("textDocument/references",
                            with(at(inc, 0, 1), {{"context", {{"includeDeclaration", false}}}})),
            reply(3, json{location(uri, 1, 5, 12)}));
  EXPECT_FALSE(zelas::test::fileExists(dir.path() / "prog.asm"));
  EXPECT_FALSE(zelas::test::fileExists(dir.path() / "prog.lst"));
  EXPECT_FALSE(zelas::test::fileExists(dir.path() / "prog.hex"));
}

// The project's options reach the assembler as the command line's switches would: without the
// define the other branch is assembled, and with a product of family A "mov a,x" is refused.
TEST_F(LanguageServer, AssemblesWithTheClientsOptions) {
  LspSession configured;
  configured.initialize(
      json{{"defines", {"FAST"}}, {"product", "PX107"}, {"includePath", {"lib"}}});
  std::filesystem::create_directory(dir.path() / "lib");
  zelas::test::writeFile(dir.path() / "lib" / "k.inc", "k: equ 1\n");
  configured.open(uri, "\tinclude \"k.inc\"\nifdef FAST\n\tmov a,x\nelse\n\tjmp nowhere\nendif\n");
  std::vector<json> notes = configured.takeNotifications();
  ASSERT_EQ(notes.size(), 2u);
  for (const json& note : notes) EXPECT_EQ(note["params"]["diagnostics"], json::array());
}

// Changes that arrive together cost one analysis, of the last text; a request among them is
// answered from that text too.
TEST_F(LanguageServer, AnalysesABurstOfChangesOnce) {
  openProgram("\tjmp a\n");
  session.takeNotifications();
  std::string burst;
  for (const char* text : {"\tjmp b\n", "\tjmp c\n", "d:\tjmp d\n"}) {
    json change{{"jsonrpc", "2.0"},
                {"method", "textDocument/didChange"},
                {"params",
                 {{"textDocument", {{"uri", uri}, {"version", 2}}},
                  {"contentChanges", {{{"text", text}}}}}}};
    burst += frameMessage(change.dump());
  }
  session.sendBytes(burst);
  std::vector<json> notes = session.takeNotifications();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0]["params"]["diagnostics"], json::array());
}

// A name written in a macro body is found there, once however often the macro is expanded; a
// name passed as an argument stands in the invocation, not in the body's parameter.
TEST_F(LanguageServer, FindsNamesWrittenInMacroBodies) {
  openProgram("start:\tnop\nmacro back x\n\tjmp start\n\tmov a,x\nendm\n\tback 1\n\tback start\n");
  json refs = {location(uri, 0, 0, 5), location(uri, 2, 5, 10)};
  EXPECT_EQ(session.request("textDocument/references", at(uri, 0, 1)), reply(2, refs));
  EXPECT_EQ(session.request("textDocument/definition", at(uri, 2, 6)),
            reply(3, location(uri, 0, 0, 5)));
  // The macro's own invocations are references of it.
  EXPECT_EQ(
      session.request("textDocument/references", at(uri, 1, 7)),
      reply(4, json{location(uri, 1, 6, 10), location(uri, 5, 1, 5), location(uri, 6, 1, 5)}));
}

}  // namespace
}  // namespace zelas::lsp
