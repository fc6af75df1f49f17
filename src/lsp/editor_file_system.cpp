#include "lsp/editor_file_system.h"

#include <cstring>
#include <filesystem>
#include <functional>
#include <string_view>

namespace zelas::lsp {

namespace {

// The device number of buffers that have no file: no file system on the machine has it.
constexpr std::uint64_t kBufferDevice = ~std::uint64_t{0};

// An open buffer, read as a file. The text stays as it is while the analysis runs.
class BufferInput final : public InputFile {
 public:
  BufferInput(std::string_view text, FileId id) : text_(text), id_(id) {}
  ReadResult read(char* buffer, std::size_t size) override {
    std::size_t n = std::min(size, text_.size() - pos_);
    std::memcpy(buffer, text_.data() + pos_, n);
    pos_ += n;
    return {n, false};
  }
  FileId id() const override { return id_; }
  std::uint64_t size() const override { return text_.size(); }

 private:
  std::string_view text_;
  FileId id_;
  std::size_t pos_ = 0;
};

// The listing, ROM and HEX outputs of an analysis: written (the listing's writer runs as on the
// command line) and dropped.
class DiscardedOutput final : public OutputFile {
 public:
  bool write(const char*, std::size_t) override { return true; }
  bool commit() override { return true; }
};

}  // namespace

EditorFileSystem::EditorFileSystem(const DocumentStore& documents, std::string folder)
    : documents_(documents), folder_(std::move(folder)) {}

std::string EditorFileSystem::absolute(const std::string& path) const {
  return (std::filesystem::path(folder_) / path).lexically_normal().string();
}

const Document* EditorFileSystem::bufferOf(const std::string& absolutePath) const {
  return documents_.findByPath(absolutePath);
}

FileId EditorFileSystem::bufferId(const std::string& absolutePath) {
  if (std::optional<FileId> id = disk_.identify(absolutePath)) return *id;
  return FileId{kBufferDevice, std::hash<std::string>{}(absolutePath)};
}

std::unique_ptr<InputFile> EditorFileSystem::openForReading(const std::string& path,
                                                            OpenFailure* failure) {
  std::string name = absolute(path);
  if (const Document* doc = bufferOf(name)) {
    return std::make_unique<BufferInput>(doc->text, bufferId(name));
  }
  return disk_.openForReading(name, failure);
}

std::unique_ptr<OutputFile> EditorFileSystem::createOutput(const std::string&) {
  return std::make_unique<DiscardedOutput>();
}

std::optional<FileId> EditorFileSystem::identify(const std::string& path) {
  std::string name = absolute(path);
  if (bufferOf(name) != nullptr) return bufferId(name);
  return disk_.identify(name);
}

std::optional<NameId> EditorFileSystem::identifyName(const std::string& path) {
  std::string name = absolute(path);
  if (std::optional<NameId> id = disk_.identifyName(name)) return id;
  // A buffer in a folder that does not exist (yet) is known by the folder's name.
  std::filesystem::path p(name);
  return NameId{FileId{kBufferDevice, std::hash<std::string>{}(p.parent_path().string())},
                p.filename().string()};
}

bool EditorFileSystem::remove(const std::string&) {
  return false;
}

}  // namespace zelas::lsp
