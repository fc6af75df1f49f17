// The file system of the machine: what the command-line programs read and write.
#pragma once

#include "core/file_system.h"

namespace zelas {

class DiskFileSystem : public FileSystem {
 public:
  std::unique_ptr<InputFile> openForReading(const std::string& path, OpenFailure* failure) override;
  std::unique_ptr<OutputFile> createOutput(const std::string& path) override;
  std::optional<FileId> identify(const std::string& path) override;
  std::optional<NameId> identifyName(const std::string& path) override;
  bool remove(const std::string& path) override;

  // Opens each of descriptors 0 to 2 that is closed on the null device, so that no file the
  // program opens later takes the number of a console stream. Due first thing in main.
  static void openClosedStandardDescriptors();
};

}  // namespace zelas
