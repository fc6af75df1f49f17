// A file system held in memory, for tests, fuzzing and the editor's unsaved buffers: files are
// strings, names are compared after removing "." and ".." steps, and any file operation can be
// made to fail.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/file_system.h"

namespace zelas {

class MemoryFileSystem : public FileSystem {
 public:
  // The faults one name is given; each stays until cleared.
  struct Faults {
    bool openFails = false;                        // openForReading finds nothing
    bool createFails = false;                      // createOutput gives nothing
    std::optional<std::uint64_t> readFailsAt;      // a read reaching this byte fails there
    std::optional<std::uint64_t> writeFailsAfter;  // writes beyond this many bytes fail
    bool commitFails = false;                      // commit leaves the old file
  };

  MemoryFileSystem() = default;
  MemoryFileSystem(const MemoryFileSystem&) = delete;
  MemoryFileSystem& operator=(const MemoryFileSystem&) = delete;

  // Makes path a regular file holding text (a file of that name is replaced).
  void addFile(const std::string& path, std::string text);
  // Makes path something that is not a regular file: a device, a FIFO or a folder.
  void addSpecial(const std::string& path);
  // Makes alias a second name of the file target names (as a hard or symbolic link would).
  void addLink(const std::string& alias, const std::string& target);
  // The text of the file path names; nothing when there is none or it is not regular.
  std::optional<std::string> contents(const std::string& path) const;
  // True when path names any file.
  bool exists(const std::string& path) const;
  // The names of every file, in name order.
  std::vector<std::string> names() const;
  // The faults of path, to be set by the caller.
  Faults& faults(const std::string& path);
  // Called with the name of each file opened for reading, before it is read: lets a test change
  // a file between two readings, as an editor saving it during a run would.
  void onOpen(std::function<void(const std::string&)> hook) { onOpen_ = std::move(hook); }
  // How many outputs were created and not yet committed or destroyed.
  int openOutputs() const;

  std::unique_ptr<InputFile> openForReading(const std::string& path, OpenFailure* failure) override;
  std::unique_ptr<OutputFile> createOutput(const std::string& path) override;
  std::optional<FileId> identify(const std::string& path) override;
  std::optional<NameId> identifyName(const std::string& path) override;
  bool remove(const std::string& path) override;

  // The name path stands for: "." steps and doubled slashes removed, ".." steps taken.
  static std::string normalName(const std::string& path);

 private:
  struct Node {
    std::shared_ptr<const std::string> text;  // null for a file that is not regular
    FileId id;
  };
  class Output;
  friend class Output;

  FileId newId() { return FileId{1, ++lastInode_}; }
  // Called by an output on commit; false when the commit is to fail.
  bool publish(const std::string& path, std::string text, bool commitFails);
  void outputDone();

  std::map<std::string, Node> nodes_;
  std::map<std::string, Faults> faults_;
  std::map<std::string, FileId> folders_;
  std::function<void(const std::string&)> onOpen_;
  std::uint64_t lastInode_ = 0;
  int openOutputs_ = 0;
};

}  // namespace zelas
