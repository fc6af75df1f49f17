#include "lsp/document_store.h"

#include <algorithm>
#include <cctype>

namespace zelas::lsp {

namespace {

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool keepsInUri(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         std::string_view("/-._~").find(c) != std::string_view::npos;
}

}  // namespace

void DocumentStore::open(const std::string& uri, std::string text, long long version) {
  Document& doc = documents_[uri];
  doc.uri = uri;
  doc.path = uriToPath(uri).value_or(uri);
  doc.text = std::move(text);
  doc.version = version;
}

bool DocumentStore::change(const std::string& uri, std::string text, long long version) {
  auto found = documents_.find(uri);
  if (found == documents_.end()) return false;
  found->second.text = std::move(text);
  found->second.version = version;
  return true;
}

void DocumentStore::close(const std::string& uri) {
  documents_.erase(uri);
}

const Document* DocumentStore::find(const std::string& uri) const {
  auto found = documents_.find(uri);
  return found == documents_.end() ? nullptr : &found->second;
}

const Document* DocumentStore::findByPath(const std::string& path) const {
  for (const auto& [uri, doc] : documents_) {
    if (doc.path == path) return &doc;
  }
  return nullptr;
}

std::optional<std::string> uriToPath(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  uri.remove_prefix(kScheme.size());
  // "file://host/path": only the local host is ours.
  std::size_t slash = uri.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  std::string_view host = uri.substr(0, slash);
  if (!host.empty() && host != "localhost") return std::nullopt;
  uri.remove_prefix(slash);
  std::string path;
  for (std::size_t i = 0; i < uri.size(); ++i) {
    int high = i + 2 < uri.size() && uri[i] == '%' ? hexDigitValue(uri[i + 1]) : -1;
    int low = high >= 0 ? hexDigitValue(uri[i + 2]) : -1;
    if (low >= 0) {
      path.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else {
      path.push_back(uri[i]);
    }
  }
#ifdef _WIN32
  // "file:///C:/dir/prog.asm" is C:\dir\prog.asm: the drive letter follows the first slash of
  // the URI's path, and the path is spelt as the paths the library forms (backslashes), so that
  // the two compare equal.
  if (path.size() >= 3 && path[0] == '/' && std::isalpha(static_cast<unsigned char>(path[1])) &&
      path[2] == ':') {
    path.erase(0, 1);
  }
  std::replace(path.begin(), path.end(), '/', '\\');
#endif
  return path;
}

std::string pathToUri(std::string_view path) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
#ifdef _WIN32
  // A Windows path C:\dir\prog.asm is the URI path /C:/dir/prog.asm.
  if (!path.empty() && path[0] != '/' && path[0] != '\\') uri.push_back('/');
#endif
  for (char c : path) {
#ifdef _WIN32
    if (c == '\\') c = '/';
#endif
    if (keepsInUri(c)) {
      uri.push_back(c);
      continue;
    }
    auto byte = static_cast<unsigned char>(c);
    uri.push_back('%');
    uri.push_back(kHex[byte >> 4]);
    uri.push_back(kHex[byte & 15]);
  }
  return uri;
}

std::string_view lineOf(std::string_view text, int line) {
  std::size_t start = 0;
  for (int i = 0; i < line; ++i) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return {};
    start = end + 1;
  }
  std::string_view rest = text.substr(start);
  rest = rest.substr(0, rest.find('\n'));
  if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
  return rest;
}

std::size_t offsetOf(std::string_view text, Position position) {
  std::size_t start = 0;
  for (int i = 0; i < position.line; ++i) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return text.size();
    start = end + 1;
  }
  std::size_t lineEnd = std::min(text.find('\n', start), text.size());
  auto column = static_cast<std::size_t>(std::max(position.character, 0));
  return std::min(start + column, lineEnd);
}

}  // namespace zelas::lsp
