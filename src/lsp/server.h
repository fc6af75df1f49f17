// The language server's protocol layer: JSON-RPC requests and notifications taken from frames,
// dispatched to the document store and the features, answered through a sender. One thread:
// the owner feeds everything that is waiting, then lets the server work, so that a burst of
// changes costs one analysis.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "lsp/analysis.h"
#include "lsp/document_store.h"
#include "lsp/project_options.h"
#include "lsp/transport.h"

namespace zelas::lsp {

// JSON-RPC and protocol error codes.
enum class ErrorCode {
  parseError = -32700,
  invalidRequest = -32600,
  methodNotFound = -32601,
  invalidParams = -32602,
  internalError = -32603,
  serverNotInitialized = -32002,
  requestCancelled = -32800,
};

class Server {
 public:
  // send takes each outgoing message body.
  explicit Server(std::function<void(const std::string&)> send);

  // Takes a frame from the stream; malformed frames and JSON are answered at once.
  void receive(const Frame& frame);
  // Handles what was received, then analyses the documents that changed and publishes their
  // diagnostics.
  void work();
  // True once "exit" was received; exitStatus is 0 when a shutdown came before it.
  bool exited() const { return exited_; }
  int exitStatus() const { return shutdown_ ? 0 : 1; }

 private:
  using Handler = void (Server::*)(const nlohmann::json& id, const nlohmann::json& params);

  void handle(const nlohmann::json& message);
  void dispatch(const std::string& method, const nlohmann::json& id, const nlohmann::json& params);
  void respond(const nlohmann::json& id, nlohmann::json result);
  void respondError(const nlohmann::json& id, ErrorCode code, const std::string& message);
  void notify(const std::string& method, nlohmann::json params);

  void initialize(const nlohmann::json& id, const nlohmann::json& params);
  void initialized(const nlohmann::json& id, const nlohmann::json& params);
  void shutdown(const nlohmann::json& id, const nlohmann::json& params);
  void exit(const nlohmann::json& id, const nlohmann::json& params);
  void didOpen(const nlohmann::json& id, const nlohmann::json& params);
  void didChange(const nlohmann::json& id, const nlohmann::json& params);
  void didClose(const nlohmann::json& id, const nlohmann::json& params);
  void didChangeConfiguration(const nlohmann::json& id, const nlohmann::json& params);
  void definition(const nlohmann::json& id, const nlohmann::json& params);
  void references(const nlohmann::json& id, const nlohmann::json& params);
  void rename(const nlohmann::json& id, const nlohmann::json& params);
  void hover(const nlohmann::json& id, const nlohmann::json& params);
  void completion(const nlohmann::json& id, const nlohmann::json& params);
  void documentSymbol(const nlohmann::json& id, const nlohmann::json& params);
  void inlayHint(const nlohmann::json& id, const nlohmann::json& params);
  void codeLens(const nlohmann::json& id, const nlohmann::json& params);
  void documentLink(const nlohmann::json& id, const nlohmann::json& params);

  // The open document a request names; null (and answered with an error) when it is not open.
  const Document* requestedDocument(const nlohmann::json& id, const nlohmann::json& params);
  // The analysis that covers a document, brought up to date first.
  const Analysis* analysisFor(const Document& document);
  void markChanged(const std::string& uri);
  void analyseChanged();
  void publishDiagnostics(const Analysis& analysis, const Analysis* previous);

  std::function<void(const std::string&)> send_;
  std::deque<nlohmann::json> queue_;
  std::set<std::string> cancelled_;  // ids (as JSON text) of queued requests cancelled
  DocumentStore documents_;
  ProjectOptions options_;
  std::map<std::string, Analysis> analyses_;  // by the path of their main source
  std::set<std::string> changed_;             // main sources to analyse again
  bool initialized_ = false;
  bool shutdown_ = false;
  bool exited_ = false;
  bool codeLensHints_ = false;  // the client lacks inlay hints: the same text as code lenses
};

}  // namespace zelas::lsp
