// A client session with the language server in-process: messages are framed and fed through the
// same reader as the standard input's bytes, and everything the server sends is kept, parsed.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "lsp/server.h"
#include "lsp/transport.h"

namespace zelas::lsp::test {

class LspSession {
 public:
  LspSession();
  // Feeds raw bytes, then lets the server work.
  void sendBytes(const std::string& bytes);
  void notify(const std::string& method, nlohmann::json params);
  // Sends a request and returns the whole reply to it (null when none came); the other messages
  // sent meanwhile are kept for takeNotifications.
  nlohmann::json request(const std::string& method, nlohmann::json params);
  // The messages without an id sent since the last call.
  std::vector<nlohmann::json> takeNotifications();
  // Every message sent since the last call.
  std::vector<nlohmann::json> takeAll();
  // initialize (with these initialization options) and initialized.
  nlohmann::json initialize(nlohmann::json options = nlohmann::json::object());
  void open(const std::string& uri, const std::string& text);
  bool exited() const { return server_.exited(); }
  int exitStatus() const { return server_.exitStatus(); }

 private:
  std::vector<nlohmann::json> sent_;
  Server server_;
  FrameReader reader_;
  int nextId_ = 1;
};

// The params of a request about a position.
nlohmann::json at(const std::string& uri, int line, int character);

}  // namespace zelas::lsp::test
