#include "lsp/lsp_session.h"

namespace zelas::lsp::test {

using nlohmann::json;

LspSession::LspSession()
    : server_([this](const std::string& body) { sent_.push_back(json::parse(body)); }) {}

void LspSession::sendBytes(const std::string& bytes) {
  reader_.feed(bytes);
  Frame frame;
  while (reader_.next(frame)) server_.receive(frame);
  server_.work();
}

void LspSession::notify(const std::string& method, json params) {
  json message{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
  sendBytes(frameMessage(message.dump()));
}

json LspSession::request(const std::string& method, json params) {
  int id = nextId_++;
  json message{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
  sendBytes(frameMessage(message.dump()));
  for (auto it = sent_.begin(); it != sent_.end(); ++it) {
    if (it->contains("id") && (*it)["id"] == id) {
      json reply = *it;
      sent_.erase(it);
      return reply;
    }
  }
  return nullptr;
}

std::vector<json> LspSession::takeNotifications() {
  std::vector<json> notes;
  std::vector<json> rest;
  for (json& m : sent_) (m.contains("id") ? rest : notes).push_back(std::move(m));
  sent_ = std::move(rest);
  return notes;
}

std::vector<json> LspSession::takeAll() {
  return std::exchange(sent_, {});
}

json LspSession::initialize(json options) {
  json reply = request("initialize", json{{"processId", nullptr},
                                          {"rootUri", nullptr},
                                          {"capabilities", json::object()},
                                          {"initializationOptions", std::move(options)}});
  notify("initialized", json::object());
  return reply;
}

void LspSession::open(const std::string& uri, const std::string& text) {
  notify("textDocument/didOpen",
         json{{"textDocument",
               {{"uri", uri}, {"languageId", "zelas"}, {"version", 1}, {"text", text}}}});
}

json at(const std::string& uri, int line, int character) {
  return json{{"textDocument", {{"uri", uri}}},
              {"position", {{"line", line}, {"character", character}}}};
}

}  // namespace zelas::lsp::test
