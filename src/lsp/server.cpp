#include "lsp/server.h"

#include <algorithm>
#include <cstdio>

#include "diag/messages.h"
#include "lsp/features.h"

namespace zelas::lsp {

namespace {

using nlohmann::json;

// Sync kind "full": every change carries the whole text.
constexpr int kFullSync = 1;

template <typename... Args>
std::string formatted(const char* fmt, Args... args) {
  char text[512];
  std::snprintf(text, sizeof text, fmt, args...);
  return text;
}

// The requests and notifications the server knows, by method.
struct Method {
  const char* name;
  void (Server::*handler)(const json&, const json&);
};

bool isRequest(const json& message) {
  return message.contains("id");
}

bool hasValidId(const json& message) {
  const json& id = message["id"];
  return id.is_string() || id.is_number_integer() || id.is_null();
}

Position positionOf(const json& params) {
  const json& p = params.at("position");
  return Position{p.at("line").get<int>(), p.at("character").get<int>()};
}

bool offersUtf8(const json& params) {
  const json* encodings = nullptr;
  if (auto general = params.find("capabilities"); general != params.end() && general->is_object()) {
    auto g = general->find("general");
    if (g != general->end() && g->is_object()) {
      auto e = g->find("positionEncodings");
      if (e != g->end() && e->is_array()) encodings = &*e;
    }
  }
  return encodings != nullptr &&
         std::find(encodings->begin(), encodings->end(), json("utf-8")) != encodings->end();
}

bool clientHasInlayHints(const json& params) {
  const json* text = nullptr;
  auto caps = params.find("capabilities");
  if (caps != params.end() && caps->is_object()) {
    auto t = caps->find("textDocument");
    if (t != caps->end() && t->is_object()) text = &*t;
  }
  return text == nullptr || text->contains("inlayHint") || !text->contains("codeLens");
}

}  // namespace

Server::Server(std::function<void(const std::string&)> send) : send_(std::move(send)) {}

void Server::receive(const Frame& frame) {
  if (frame.malformed) {
    respondError(nullptr, ErrorCode::parseError, msg::lspMalformedFrame);
    return;
  }
  json message = json::parse(frame.body, nullptr, false);
  if (message.is_discarded()) {
    respondError(nullptr, ErrorCode::parseError, formatted(msg::lspParseError, "syntax error"));
    return;
  }
  // A client's response (to a request this server never sends) asks for nothing.
  if (message.is_object() && !message.contains("method") &&
      (message.contains("result") || message.contains("error"))) {
    return;
  }
  if (!message.is_object() || message.value("jsonrpc", json()) != "2.0" ||
      !message.contains("method") || !message["method"].is_string() ||
      (isRequest(message) && !hasValidId(message))) {
    json id = message.is_object() && message.contains("id") && hasValidId(message) ? message["id"]
                                                                                   : json();
    respondError(id, ErrorCode::invalidRequest, msg::lspInvalidRequest);
    return;
  }
  // Cancels act at once on what waits in the queue: a stale request is not worth answering.
  if (message["method"] == "$/cancelRequest") {
    const json& params = message.value("params", json::object());
    if (params.is_object() && params.contains("id")) cancelled_.insert(params["id"].dump());
    return;
  }
  queue_.push_back(std::move(message));
}

void Server::work() {
  while (!queue_.empty() && !exited_) {
    json message = std::move(queue_.front());
    queue_.pop_front();
    handle(message);
  }
  cancelled_.clear();
  if (!exited_) analyseChanged();
}

void Server::handle(const json& message) {
  const std::string method = message["method"];
  json id = isRequest(message) ? message["id"] : json();
  bool request = isRequest(message);
  if (request && cancelled_.count(id.dump()) != 0) {
    respondError(id, ErrorCode::requestCancelled, msg::lspCancelled);
    return;
  }
  if (!initialized_ && method != "initialize" && method != "exit") {
    if (request) respondError(id, ErrorCode::serverNotInitialized, msg::lspNotInitialized);
    return;
  }
  if (shutdown_ && method != "exit") {
    if (request) respondError(id, ErrorCode::invalidRequest, msg::lspShutDown);
    return;
  }
  const json params = message.value("params", json::object());
  try {
    dispatch(method, request ? id : json(), params);
  } catch (const json::exception&) {
    // Parameters of the wrong shape: the library's accessors say so by throwing.
    if (request) {
      respondError(id, ErrorCode::invalidParams, formatted(msg::lspInvalidParams, method.c_str()));
    }
  }
}

void Server::dispatch(const std::string& method, const json& id, const json& params) {
  static constexpr Method kRequests[] = {
      {"initialize", &Server::initialize},
      {"shutdown", &Server::shutdown},
      {"textDocument/definition", &Server::definition},
      {"textDocument/references", &Server::references},
      {"textDocument/rename", &Server::rename},
      {"textDocument/hover", &Server::hover},
      {"textDocument/completion", &Server::completion},
      {"textDocument/documentSymbol", &Server::documentSymbol},
      {"textDocument/inlayHint", &Server::inlayHint},
      {"textDocument/codeLens", &Server::codeLens},
      {"textDocument/documentLink", &Server::documentLink},
  };
  static constexpr Method kNotifications[] = {
      {"initialized", &Server::initialized},
      {"exit", &Server::exit},
      {"textDocument/didOpen", &Server::didOpen},
      {"textDocument/didChange", &Server::didChange},
      {"textDocument/didClose", &Server::didClose},
      {"workspace/didChangeConfiguration", &Server::didChangeConfiguration},
  };
  bool request = !id.is_null();
  for (const Method& m :
       request ? std::span<const Method>(kRequests) : std::span<const Method>(kNotifications)) {
    if (method == m.name) {
      (this->*m.handler)(id, params);
      return;
    }
  }
  // Unknown notifications, those of the "$/" kind included, are ignored.
  if (request)
    respondError(id, ErrorCode::methodNotFound, formatted(msg::lspMethodNotFound, method.c_str()));
}

void Server::respond(const json& id, json result) {
  send_(json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}.dump(
      -1, ' ', false, json::error_handler_t::replace));
}

void Server::respondError(const json& id, ErrorCode code, const std::string& message) {
  json error{{"code", static_cast<int>(code)}, {"message", message}};
  send_(json{{"jsonrpc", "2.0"}, {"id", id}, {"error", std::move(error)}}.dump(
      -1, ' ', false, json::error_handler_t::replace));
}

void Server::notify(const std::string& method, json params) {
  send_(json{{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}.dump(
      -1, ' ', false, json::error_handler_t::replace));
}

void Server::initialize(const json& id, const json& params) {
  initialized_ = true;
  options_ = projectOptionsFrom(params.value("initializationOptions", json()));
  codeLensHints_ = !clientHasInlayHints(params);
  json capabilities{
      {"positionEncoding", offersUtf8(params) ? "utf-8" : "utf-16"},
      {"textDocumentSync", {{"openClose", true}, {"change", kFullSync}}},
      {"definitionProvider", true},
      {"referencesProvider", true},
      {"renameProvider", true},
      {"hoverProvider", true},
      {"completionProvider", json::object()},
      {"documentSymbolProvider", true},
      {"documentLinkProvider", json::object()},
  };
  if (codeLensHints_) {
    capabilities["codeLensProvider"] = json::object();
  } else {
    capabilities["inlayHintProvider"] = true;
  }
  respond(id, json{{"capabilities", capabilities},
                   {"serverInfo", {{"name", "zelas"}, {"version", ZELAS_VERSION}}}});
}

void Server::initialized(const json&, const json&) {}

void Server::shutdown(const json& id, const json&) {
  shutdown_ = true;
  respond(id, nullptr);
}

void Server::exit(const json&, const json&) {
  exited_ = true;
}

void Server::didOpen(const json&, const json& params) {
  const json& doc = params.at("textDocument");
  std::string uri = doc.at("uri");
  documents_.open(uri, doc.at("text"), doc.value("version", 0LL));
  markChanged(uri);
}

void Server::didChange(const json&, const json& params) {
  std::string uri = params.at("textDocument").at("uri");
  const json& changes = params.at("contentChanges");
  if (!changes.is_array() || changes.empty()) return;
  // Full synchronisation: the last change holds the whole text.
  std::string text = changes.back().at("text");
  if (documents_.change(uri, std::move(text), params.at("textDocument").value("version", 0LL))) {
    markChanged(uri);
  }
}

void Server::didClose(const json&, const json& params) {
  std::string uri = params.at("textDocument").at("uri");
  const Document* doc = documents_.find(uri);
  if (doc == nullptr) return;
  std::string path = doc->path;
  markChanged(uri);
  documents_.close(uri);
  // A closed main source is analysed no more; its reports are withdrawn.
  auto own = analyses_.find(path);
  if (own == analyses_.end()) return;
  for (const std::string& file : own->second.files) {
    notify("textDocument/publishDiagnostics",
           json{{"uri", pathToUri(file)}, {"diagnostics", json::array()}});
  }
  changed_.erase(path);
  analyses_.erase(own);
}

void Server::didChangeConfiguration(const json&, const json& params) {
  const json& settings = params.value("settings", json());
  if (!settings.is_object() || !settings.contains("zelas")) return;
  options_ = projectOptionsFrom(settings["zelas"]);
  for (const auto& [root, analysis] : analyses_) changed_.insert(root);
}

void Server::markChanged(const std::string& uri) {
  const Document* doc = documents_.find(uri);
  if (doc == nullptr) return;
  bool included = false;
  for (const auto& [root, analysis] : analyses_) {
    if (root == doc->path) continue;
    if (std::find(analysis.files.begin(), analysis.files.end(), doc->path) !=
        analysis.files.end()) {
      changed_.insert(root);
      included = true;
    }
  }
  if (!included) changed_.insert(doc->path);
}

void Server::analyseChanged() {
  std::set<std::string> roots;
  roots.swap(changed_);
  for (const std::string& root : roots) {
    if (documents_.findByPath(root) == nullptr) continue;
    Analysis fresh = analyse(root, documents_, options_);
    auto old = analyses_.find(root);
    publishDiagnostics(fresh, old == analyses_.end() ? nullptr : &old->second);
    analyses_[root] = std::move(fresh);
  }
  // A main source that another now includes is analysed as part of it only.
  for (auto it = analyses_.begin(); it != analyses_.end();) {
    bool includedElsewhere =
        std::any_of(analyses_.begin(), analyses_.end(), [&](const auto& other) {
          return other.first != it->first &&
                 std::find(other.second.files.begin(), other.second.files.end(), it->first) !=
                     other.second.files.end();
        });
    it = includedElsewhere ? analyses_.erase(it) : std::next(it);
  }
}

void Server::publishDiagnostics(const Analysis& analysis, const Analysis* previous) {
  std::set<std::string> files(analysis.files.begin(), analysis.files.end());
  files.insert(analysis.root);
  if (previous != nullptr) files.insert(previous->files.begin(), previous->files.end());
  SourceTexts texts(documents_);
  for (const std::string& file : files) {
    notify("textDocument/publishDiagnostics", diagnosticsOf(analysis, file, texts));
  }
}

const Document* Server::requestedDocument(const json& id, const json& params) {
  std::string uri = params.at("textDocument").at("uri");
  const Document* doc = documents_.find(uri);
  if (doc == nullptr)
    respondError(id, ErrorCode::invalidParams, formatted(msg::lspDocumentNotOpen, uri.c_str()));
  return doc;
}

const Analysis* Server::analysisFor(const Document& document) {
  if (!changed_.empty()) analyseChanged();
  if (auto own = analyses_.find(document.path); own != analyses_.end()) return &own->second;
  for (const auto& [root, analysis] : analyses_) {
    if (std::find(analysis.files.begin(), analysis.files.end(), document.path) !=
        analysis.files.end()) {
      return &analysis;
    }
  }
  return nullptr;
}

void Server::definition(const json& id, const json& params) {
  const Document* doc = requestedDocument(id, params);
  if (doc == nullptr) return;
  SourceTexts texts(documents_);
  respond(id, lsp::definition(Query{*doc, analysisFor(*doc), positionOf(params)}, texts));
}

void Server::references(const json& id, const json& params) {
  const Document* doc = requestedDocument(id, params);
  if (doc == nullptr) return;
  SourceTexts texts(documents_);
  bool withDeclaration = params.value("context", json::object()).value("includeDeclaration", true);
  respond(id, lsp::references(Query{*doc, analysisFor(*doc), positionOf(params)}, texts,
                              withDeclaration));
}

void Server::rename(const json& id, const json& params) {
  const Document* doc = requestedDocument(id, params);
  if (doc == nullptr) return;
  SourceTexts texts(documents_);
  std::string error;
  json edit = lsp::rename(Query{*doc, analysisFor(*doc), positionOf(params)}, texts,
                          params.at("newName").get<std::string>(), error);
  if (edit.is_null()) {
    respondError(id, ErrorCode::invalidParams, error);
    return;
  }
  respond(id, std::move(edit));
}

void Server::hover(const json& id, const json& params) {
  const Document* doc = requestedDocument(id, params);
  if (doc == nullptr) return;
  SourceTexts texts(documents_);
  respond(id, lsp::hover(Query{*doc, analysisFor(*doc), positionOf(params)}, texts));
}

void Server::completion(const json& id, const json& params) {
  const Document* doc = requestedDocument(id, params);
  if (doc == nullptr) return;
  respond(id, lsp::completion(Query{*doc, analysisFor(*doc), positionOf(params)}));
}

void Server::documentSymbol(const json& id, const json& params) {
  const Document* doc = requestedDocument(id, params);
  if (doc == nullptr) return;
  SourceTexts texts(documents_);
  respond(id, lsp::documentSymbols(Query{*doc, analysisFor(*doc), {}}, texts));
}

void Server::inlayHint(const json& id, const json& params) {
  const Document* doc = requestedDocument(id, params);
  if (doc == nullptr) return;
  const json& range = params.at("range");
  SourceTexts texts(documents_);
  respond(id, lsp::inlayHints(Query{*doc, analysisFor(*doc), {}}, texts,
                              range.at("start").at("line").get<int>(),
                              range.at("end").at("line").get<int>()));
}

// Code lenses carry the inlay hints' text, for clients that show no inlay hints.
void Server::codeLens(const json& id, const json& params) {
  const Document* doc = requestedDocument(id, params);
  if (doc == nullptr) return;
  SourceTexts texts(documents_);
  json hints = lsp::inlayHints(Query{*doc, analysisFor(*doc), {}}, texts, 0, 1 << 30);
  json lenses = json::array();
  for (const json& hint : hints) {
    int line = hint["position"]["line"];
    lenses.push_back(json{{"range",
                           {{"start", {{"line", line}, {"character", 0}}},
                            {"end", {{"line", line}, {"character", 0}}}}},
                          {"command", {{"title", hint["label"]}, {"command", ""}}}});
  }
  respond(id, std::move(lenses));
}

void Server::documentLink(const json& id, const json& params) {
  const Document* doc = requestedDocument(id, params);
  if (doc == nullptr) return;
  SourceTexts texts(documents_);
  respond(id, lsp::documentLinks(Query{*doc, analysisFor(*doc), {}}, texts));
}

}  // namespace zelas::lsp
