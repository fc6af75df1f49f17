// The documents the editor holds open: their text as the editor has it, unsaved changes and all,
// keyed by URI. The assembler reads an open document instead of the file on disk.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelas::lsp {

// A place in a document as the protocol counts it: zero-based line and character.
struct Position {
  int line = 0;
  int character = 0;
  friend bool operator==(const Position&, const Position&) = default;
};

struct Document {
  std::string uri;
  std::string path;  // the file the URI names
  std::string text;
  long long version = 0;
};

class DocumentStore {
 public:
  void open(const std::string& uri, std::string text, long long version);
  // Replaces the whole text (full synchronisation); false when the document is not open.
  bool change(const std::string& uri, std::string text, long long version);
  void close(const std::string& uri);
  const Document* find(const std::string& uri) const;
  // The open document of a file path, if any.
  const Document* findByPath(const std::string& path) const;
  const std::map<std::string, Document>& all() const { return documents_; }

 private:
  std::map<std::string, Document> documents_;
};

// The file path of a "file:" URI, percent escapes decoded; nothing for other schemes.
std::optional<std::string> uriToPath(std::string_view uri);
// The "file:" URI of an absolute path, escaping what a URI may not hold.
std::string pathToUri(std::string_view path);

// Line i of text (without its line end); empty beyond the last line.
std::string_view lineOf(std::string_view text, int line);
// The byte offset of position in text, moved into the text when it lies outside.
std::size_t offsetOf(std::string_view text, Position position);

}  // namespace zelas::lsp
