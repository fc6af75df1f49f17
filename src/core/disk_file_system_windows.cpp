#include <windows.h>

#include <algorithm>
#include <optional>
#include <random>
#include <utility>

#include "core/disk_file_system.h"
#include "core/utf16_windows.h"

namespace zelas {

namespace {

// Other programs may go on reading, writing, renaming or deleting a file zelas has open.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool isSeparator(char c) {
  return c == '/' || c == '\\';
}

// The folder part of path ("." for a bare name, "C:" for "C:name") and its last component.
std::pair<std::string, std::string> splitName(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) {
    if (path.size() >= 2 && path[1] == ':') return {path.substr(0, 2), path.substr(2)};
    return {".", path};
  }
  // The root keeps its separator: "/" and "C:\" are folders, "" and "C:" are not the same.
  bool root = slash == 0 || (slash == 2 && path[1] == ':');
  return {path.substr(0, root ? slash + 1 : slash), path.substr(slash + 1)};
}

// The spelling under which Windows finds a name: letter case is ignored, and dots and blanks at
// the end of a name are dropped, so "PROG.LST." is the file prog.lst.
std::string foldName(const std::string& leaf) {
  std::wstring wide = toUtf16(leaf);
  while (!wide.empty() && (wide.back() == L'.' || wide.back() == L' ')) wide.pop_back();
  if (!wide.empty()) ::CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return toUtf8(wide);
}

// A handle on the file path names, following links, that reads nothing (a folder too).
HANDLE openForQuery(const std::string& path) {
  return ::CreateFileW(toUtf16(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::optional<BY_HANDLE_FILE_INFORMATION> informationOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!::GetFileInformationByHandle(handle, &info)) return std::nullopt;
  return info;
}

FileId idOf(const BY_HANDLE_FILE_INFORMATION& info) {
  return {info.dwVolumeSerialNumber,
          (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// A file on a disk, not a folder: consoles, NUL, COM1 and pipes are devices and never end.
bool isRegular(HANDLE handle, const BY_HANDLE_FILE_INFORMATION& info) {
  return ::GetFileType(handle) == FILE_TYPE_DISK &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

class DiskInput : public InputFile {
 public:
  DiskInput(HANDLE handle, const BY_HANDLE_FILE_INFORMATION& info)
      : handle_(handle),
        id_(idOf(info)),
        size_((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow) {}
  ~DiskInput() override { ::CloseHandle(handle_); }
  DiskInput(const DiskInput&) = delete;
  DiskInput& operator=(const DiskInput&) = delete;

  ReadResult read(char* buffer, std::size_t size) override {
    DWORD count = 0;
    DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!::ReadFile(handle_, buffer, wanted, &count, nullptr)) return {0, true};
    return {count, false};
  }
  FileId id() const override { return id_; }
  std::uint64_t size() const override { return size_; }

 private:
  HANDLE handle_;
  FileId id_;
  std::uint64_t size_;
};

// Written to a new file beside the name and moved over it on commit, as on every platform: the
// name holds the old file until the new one is complete. Every output is a text file, so each
// line feed is written as the Windows line end, carriage return and line feed.
class DiskOutput : public OutputFile {
 public:
  DiskOutput(HANDLE handle, std::wstring temporary, std::wstring path)
      : handle_(handle), temporary_(std::move(temporary)), path_(std::move(path)) {}
  ~DiskOutput() override {
    if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    if (!committed_) ::DeleteFileW(temporary_.c_str());
  }
  DiskOutput(const DiskOutput&) = delete;
  DiskOutput& operator=(const DiskOutput&) = delete;

  bool write(const char* data, std::size_t size) override {
    if (failed_) return false;
    std::string text;
    text.reserve(size + size / 16);
    for (const char* end = data + size; data != end; ++data) {
      if (*data == '\n') text += '\r';
      text += *data;
    }
    failed_ = !writeAll(text);
    return !failed_;
  }

  bool commit() override {
    if (committed_ || failed_ || handle_ == INVALID_HANDLE_VALUE) return committed_;
    bool closed = ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
    // Replaces a file or a link of that name, never the file a link points to.
    committed_ =
        closed && ::MoveFileExW(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    return committed_;
  }

 private:
  bool writeAll(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
      DWORD count = 0;
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 30));
      if (!::WriteFile(handle_, text.data() + done, chunk, &count, nullptr) || count == 0) {
        return false;
      }
      done += count;
    }
    return true;
  }

  HANDLE handle_;
  std::wstring temporary_;
  std::wstring path_;
  bool failed_ = false;
  bool committed_ = false;
};

// A fresh name ".LEAF.XXXXXX" in the folder of path: never one a run asks for. It is not given
// the hidden attribute, which the move would carry over to the output.
std::string temporaryName(const std::string& path, std::mt19937_64& random) {
  auto [folder, leaf] = splitName(path);
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = folder;
  if (!name.empty() && !isSeparator(name.back()) && name.back() != ':') name += '\\';
  name += "." + leaf + ".";
  for (int i = 0; i < 6; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

// What may stand under an output's name: nothing, or a regular file (reached directly or
// through a link) that is not read-only. A folder or a device (NUL, CON) is never replaced.
bool mayReplace(const std::string& path) {
  DWORD attributes = ::GetFileAttributesW(toUtf16(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) return false;
  HANDLE handle = openForQuery(path);
  // A link to nothing: the move replaces the link itself.
  if (handle == INVALID_HANDLE_VALUE) return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  std::optional<BY_HANDLE_FILE_INFORMATION> info = informationOf(handle);
  bool regular = info && isRegular(handle, *info);
  ::CloseHandle(handle);
  return regular;
}

}  // namespace

std::unique_ptr<InputFile> DiskFileSystem::openForReading(const std::string& path,
                                                          OpenFailure* failure) {
  OpenFailure ignored;
  if (failure == nullptr) failure = &ignored;
  std::wstring name = toUtf16(path);
  DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    *failure = OpenFailure::notFound;
    return nullptr;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    *failure = OpenFailure::notRegular;
    return nullptr;
  }
  HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    *failure = OpenFailure::notFound;
    return nullptr;
  }
  // Checked on the handle itself, in case the name was replaced in between.
  std::optional<BY_HANDLE_FILE_INFORMATION> info = informationOf(handle);
  if (!info || !isRegular(handle, *info)) {
    ::CloseHandle(handle);
    *failure = OpenFailure::notRegular;
    return nullptr;
  }
  return std::make_unique<DiskInput>(handle, *info);
}

std::unique_ptr<OutputFile> DiskFileSystem::createOutput(const std::string& path) {
  if (path.empty() || isSeparator(path.back()) || !mayReplace(path)) return nullptr;
  std::mt19937_64 random(std::random_device{}());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::wstring temporary = toUtf16(temporaryName(path, random));
    HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      return std::make_unique<DiskOutput>(handle, std::move(temporary), toUtf16(path));
    }
    if (::GetLastError() != ERROR_FILE_EXISTS) return nullptr;
  }
  return nullptr;
}

std::optional<FileId> DiskFileSystem::identify(const std::string& path) {
  HANDLE handle = openForQuery(path);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<BY_HANDLE_FILE_INFORMATION> info = informationOf(handle);
  ::CloseHandle(handle);
  if (!info) return std::nullopt;
  return idOf(*info);
}

std::optional<NameId> DiskFileSystem::identifyName(const std::string& path) {
  auto [folder, leaf] = splitName(path);
  std::optional<FileId> folderId = identify(folder);
  if (!folderId) return std::nullopt;
  return NameId{*folderId, foldName(leaf)};
}

bool DiskFileSystem::remove(const std::string& path) {
  return ::DeleteFileW(toUtf16(path).c_str()) != 0;
}

// The files zelas opens are handles, never numbers of the C runtime, so none can take the
// place of a closed standard stream: nothing to do.
void DiskFileSystem::openClosedStandardDescriptors() {}

}  // namespace zelas
