// The one seam between the assembler and the files it reads and writes. Every file access of
// zelas and zelas-dis goes through a FileSystem: the disk implementation for the command line, an
// in-memory one (with injected faults) for tests, fuzzing and the editor's unsaved buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace zelas {

// What makes two names the same file, whatever their spelling (links, "./", hard links).
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FileId&, const FileId&) = default;
};

// What makes a name the same name, whether or not a file has it yet: the folder it lies in (by
// identity) and its last component. An output that does not exist yet is known by this.
struct NameId {
  FileId folder;
  std::string leaf;
  friend bool operator==(const NameId&, const NameId&) = default;
};

// Why a file could not be opened for reading.
enum class OpenFailure {
  notFound,    // no such file, or no permission to read it
  notRegular,  // a folder, a device, a FIFO, a socket: never read, it may not end or may block
};

// One read: count bytes were placed; count 0 without failed is the end of the file.
struct ReadResult {
  std::size_t count = 0;
  bool failed = false;  // a read error: never to be taken as the end of the file
};

// A regular file open for reading, read front to back in blocks.
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to size bytes into buffer.
  virtual ReadResult read(char* buffer, std::size_t size) = 0;
  // The file's identity, as FileSystem::identify gives it.
  virtual FileId id() const = 0;
  // The file's size when it was opened.
  virtual std::uint64_t size() const = 0;
};

// A file being written. Nothing is visible under its name until commit() succeeds; an output
// destroyed without a successful commit leaves the old file (if any) exactly as it was.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Appends size bytes; false once any write has failed (later writes are then ignored).
  virtual bool write(const char* data, std::size_t size) = 0;
  // Makes the written text the file under its name, replacing an old file or a link of that
  // name (never writing through the link); false when it could not or a write had failed.
  virtual bool commit() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens a regular file for reading; null, with the reason in failure, when it can't.
  virtual std::unique_ptr<InputFile> openForReading(const std::string& path,
                                                    OpenFailure* failure) = 0;
  // Starts an output that will become path on commit; null when it can't be created.
  virtual std::unique_ptr<OutputFile> createOutput(const std::string& path) = 0;
  // The identity of the file path names, following links; nothing when there is none. Two names
  // with the same identity are the same file.
  virtual std::optional<FileId> identify(const std::string& path) = 0;
  // The identity of the folder path lies in, with its last component; nothing when the folder
  // does not exist.
  virtual std::optional<NameId> identifyName(const std::string& path) = 0;
  // Removes the file path names (a link itself, not its target); false when there was none or it
  // could not be removed.
  virtual bool remove(const std::string& path) = 0;
};

}  // namespace zelas
