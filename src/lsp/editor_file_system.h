// The files an analysis reads: the editor's open buffers over the disk (an open buffer wins over
// its file), names taken relative to the main source's folder as the command line run there
// would take them, and outputs that go nowhere: the server never writes a file.
#pragma once

#include <string>

#include "core/disk_file_system.h"
#include "core/file_system.h"
#include "lsp/document_store.h"

namespace zelas::lsp {

class EditorFileSystem final : public FileSystem {
 public:
  // documents outlives the file system.
  EditorFileSystem(const DocumentStore& documents, std::string folder);

  std::unique_ptr<InputFile> openForReading(const std::string& path, OpenFailure* failure) override;
  std::unique_ptr<OutputFile> createOutput(const std::string& path) override;
  std::optional<FileId> identify(const std::string& path) override;
  std::optional<NameId> identifyName(const std::string& path) override;
  bool remove(const std::string& path) override;

  // The absolute name of path as the assembler names it.
  std::string absolute(const std::string& path) const;

 private:
  const Document* bufferOf(const std::string& absolutePath) const;
  // The identity of a buffer: its file's, or one of its own for a buffer not saved yet.
  FileId bufferId(const std::string& absolutePath);

  const DocumentStore& documents_;
  std::string folder_;
  DiskFileSystem disk_;
};

}  // namespace zelas::lsp
