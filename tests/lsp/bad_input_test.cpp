// Hostile and broken input: every fault gets a JSON-RPC error or a clean diagnostic, and the
// server goes on serving.
#include <gtest/gtest.h>

#include <cstdio>
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

json errorReply(json id, int code, const std::string& message) {
  return json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}};
}

TEST(LanguageServerBadInput, AnswersBrokenFramesAndJsonWithErrorsAndServesOn) {
  LspSession session;
  session.initialize();
  session.sendBytes("Content-Length: x\r\n\r\n");
  session.sendBytes(frameMessage("{\"jsonrpc\":\"2.0\",\"id\":"));
  session.sendBytes(frameMessage("[1,2]"));
  session.sendBytes(frameMessage("{\"jsonrpc\":\"1.0\",\"id\":7,\"method\":\"shutdown\"}"));
  session.sendBytes(frameMessage("{\"jsonrpc\":\"2.0\",\"id\":{},\"method\":\"shutdown\"}"));
  session.sendBytes(frameMessage("{\"jsonrpc\":\"2.0\",\"id\":8,\"method\":\"no/such\"}"));
  session.sendBytes(frameMessage("{\"jsonrpc\":\"2.0\",\"method\":\"no/such\"}"));
  session.sendBytes(frameMessage("{\"jsonrpc\":\"2.0\",\"id\":3,\"result\":null}"));
  session.sendBytes(frameMessage(
      "{\"jsonrpc\":\"2.0\",\"id\":9,\"method\":\"textDocument/hover\",\"params\":[1]}"));
  session.sendBytes(frameMessage("{\"jsonrpc\":\"2.0\",\"id\":\"s\",\"method\":\"shutdown\"}"));
  EXPECT_EQ(session.takeAll(),
            (std::vector<json>{
                errorReply(nullptr, -32700,
                           "malformed frame: a header with a decimal Content-Length is required"),
                errorReply(nullptr, -32700, "invalid JSON: syntax error"),
                errorReply(nullptr, -32600, "not a JSON-RPC 2.0 request"),
                errorReply(7, -32600, "not a JSON-RPC 2.0 request"),
                errorReply(nullptr, -32600, "not a JSON-RPC 2.0 request"),
                errorReply(8, -32601, "unknown method 'no/such'"),
                errorReply(9, -32602, "invalid params for 'textDocument/hover'"),
                json{{"jsonrpc", "2.0"}, {"id", "s"}, {"result", nullptr}},
            }));
}

// Requests for documents never opened, and places outside the text, are answered, not failed.
TEST(LanguageServerBadInput, AnswersRequestsForClosedDocumentsAndPositionsOutsideTheText) {
  zelas::test::ScopedTempDir dir;
  LspSession session;
  session.initialize();
  std::string uri = pathToUri((dir.path() / "prog.asm").string());
  EXPECT_EQ(session.request("textDocument/definition", at(uri, 0, 0)),
            errorReply(2, -32602, "document not open: " + uri));
  zelas::test::writeFile(dir.path() / "prog.asm", "x:\tjmp x\n");
  session.open(uri, "x:\tjmp x\n");
  for (const char* method : {"textDocument/definition", "textDocument/hover",
                             "textDocument/references", "textDocument/completion"}) {
    for (json place : {at(uri, 900, 3), at(uri, 0, 900), at(uri, -5, -5)}) {
      json r = session.request(method, place);
      EXPECT_TRUE(r.contains("result")) << method << " " << place.dump();
    }
  }
}

// The waiting request is cancelled, the later one answered.
TEST(LanguageServerBadInput, CancelsARequestStillWaiting) {
  LspSession session;
  session.initialize();
  std::string bytes =
      frameMessage(R"({"jsonrpc":"2.0","id":5,"method":"shutdown"})") +
      frameMessage(R"({"jsonrpc":"2.0","method":"$/cancelRequest","params":{"id":5}})");
  session.sendBytes(bytes);
  EXPECT_EQ(session.takeAll(), (std::vector<json>{errorReply(5, -32800, "request cancelled")}));
}

TEST(LanguageServerBadInput, ReportsABufferThatIncludesItselfOnce) {
  zelas::test::ScopedTempDir dir;
  LspSession session;
  session.initialize();
  std::string uri = pathToUri((dir.path() / "prog.asm").string());
  std::string text = "\tinclude \"prog.asm\"\n";
  zelas::test::writeFile(dir.path() / "prog.asm", text);
  session.open(uri, text);
  std::vector<json> notes = session.takeNotifications();
  ASSERT_EQ(notes.size(), 1u);
  json diagnostics = notes[0]["params"]["diagnostics"];
  ASSERT_EQ(diagnostics.size(), 1u);
  EXPECT_EQ(diagnostics[0]["severity"], 1);
  EXPECT_EQ(
      diagnostics[0]["message"],
      "Include nesting deeper than 64 levels: 'prog.asm' includes itself or nests too deeply.");
}

TEST(LanguageServerBadInput, AnalysesA50000LineBuffer) {
  zelas::test::ScopedTempDir dir;
  LspSession session;
  session.initialize(json{{"noRomCheck", true}});
  std::string uri = pathToUri((dir.path() / "prog.asm").string());
  std::string text = "start:\n";
  for (int i = 0; i < 50000; ++i) text += "\tnop\n";
  zelas::test::writeFile(dir.path() / "prog.asm", text);
  session.open(uri, text);
  std::vector<json> notes = session.takeNotifications();
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0]["params"]["diagnostics"], json::array());
  json hover = session.request("textDocument/hover", at(uri, 50000, 2));
  // The last nop stands 196 page fillers beyond its 49999 predecessors.
  EXPECT_NE(hover["result"]["contents"]["value"].get<std::string>().find("`C413 20 [04]`"),
            std::string::npos);
}

// The real executable over a pipe: a whole session, then input that ends inside a frame.
TEST(LanguageServerProcess, ServesOverAPipeAndEndsAtTheEndOfItsInput) {
  zelas::test::ScopedTempDir dir;
  std::string session =
      frameMessage(
          R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})") +
      frameMessage(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})") +
      frameMessage(R"({"jsonrpc":"2.0","method":"exit"})");
  zelas::test::writeFile("session.bin", session);
  zelas::test::writeFile("cut.bin", "Content-Length: 50\r\n\r\n{\"jsonrpc\"");
  std::string zelas = ZELAS_BINARY;
  EXPECT_EQ(std::system(("cat session.bin | '" + zelas + "' --lsp > out.bin").c_str()), 0);
  std::string out = zelas::test::readFile("out.bin");
  EXPECT_EQ(out.find("Content-Length: "), 0u);
  EXPECT_NE(out.find(R"({"id":2,"jsonrpc":"2.0","result":null})"), std::string::npos);
  // No exit notification: the server ends with status 1 when its input ends.
  EXPECT_NE(std::system(("cat cut.bin | '" + zelas + "' --lsp > cut.out").c_str()), 0);
  EXPECT_EQ(zelas::test::readFile("cut.out"), "");
}

}  // namespace
}  // namespace zelas::lsp
