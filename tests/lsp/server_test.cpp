// The language server driven as a client drives it, whole replies compared as parsed JSON.
#include "lsp/server.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "lsp/document_store.h"
#include "lsp/lsp_session.h"
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
}

}  // namespace
}  // namespace zelas::lsp
