#include "core/memory_file_system.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace zelas {

namespace {

class MemoryInput : public InputFile {
 public:
  MemoryInput(std::shared_ptr<const std::string> text, FileId id,
              std::optional<std::uint64_t> failsAt)
      : text_(std::move(text)), id_(id), failsAt_(failsAt) {}

  ReadResult read(char* buffer, std::size_t size) override {
    std::uint64_t end = text_->size();
    if (failsAt_) {
      if (pos_ >= *failsAt_) return {0, true};
      end = std::min(end, *failsAt_);
    }
    std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, end - pos_));
    std::memcpy(buffer, text_->data() + pos_, n);
    pos_ += n;
    return {n, false};
  }
  FileId id() const override { return id_; }
  std::uint64_t size() const override { return text_->size(); }

 private:
  std::shared_ptr<const std::string> text_;
  FileId id_;
  std::optional<std::uint64_t> failsAt_;
  std::uint64_t pos_ = 0;
};

// True when path is its own normal name: "/" or steps that are neither empty, "." nor "..",
// and no slash at the end. Most names a run asks about are, and need no rebuilding.
bool isNormal(std::string_view path) {
  if (path == "/") return true;
  std::size_t start = !path.empty() && path.front() == '/' ? 1 : 0;
  while (true) {
    std::size_t slash = std::min(path.find('/', start), path.size());
    std::string_view step = path.substr(start, slash - start);
    if (step.empty() || step == "." || step == "..") return false;
    if (slash == path.size()) return true;
    start = slash + 1;
  }
}

}  // namespace

class MemoryFileSystem::Output : public OutputFile {
 public:
  Output(MemoryFileSystem& files, std::string path, const Faults& faults)
      : files_(files),
        path_(std::move(path)),
        writeLimit_(faults.writeFailsAfter),
        commitFails_(faults.commitFails) {}
  ~Output() override {
    if (!done_) files_.outputDone();
  }
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  bool write(const char* data, std::size_t size) override {
    if (failed_) return false;
    if (writeLimit_ && text_.size() + size > *writeLimit_) {
      // As a full disk does: what fits is written, then the write fails.
      text_.append(data, static_cast<std::size_t>(*writeLimit_ - text_.size()));
      failed_ = true;
      return false;
    }
    text_.append(data, size);
    return true;
  }

  bool commit() override {
    if (done_ || failed_) return committed_;
    done_ = true;
    files_.outputDone();
    committed_ = files_.publish(path_, std::move(text_), commitFails_);
    return committed_;
  }

 private:
  MemoryFileSystem& files_;
  std::string path_;
  std::optional<std::uint64_t> writeLimit_;
  bool commitFails_;
  std::string text_;
  bool failed_ = false;
  bool done_ = false;
  bool committed_ = false;
};

std::string MemoryFileSystem::normalName(const std::string& path) {
  if (isNormal(path)) return path;
  bool absolute = !path.empty() && path.front() == '/';
  std::vector<std::string_view> steps;
  std::string_view rest = path;
  while (!rest.empty()) {
    std::size_t slash = rest.find('/');
    std::string_view step = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (step.empty() || step == ".") continue;
    if (step == ".." && !steps.empty() && steps.back() != "..") {
      steps.pop_back();
    } else if (step != ".." || !absolute) {
      steps.push_back(step);
    }
  }
  std::string name = absolute ? "/" : "";
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (i > 0) name += '/';
    name += steps[i];
  }
  return name.empty() ? "." : name;
}

void MemoryFileSystem::addFile(const std::string& path, std::string text) {
  nodes_[normalName(path)] = Node{std::make_shared<const std::string>(std::move(text)), newId()};
}

void MemoryFileSystem::addSpecial(const std::string& path) {
  nodes_[normalName(path)] = Node{nullptr, newId()};
}

void MemoryFileSystem::addLink(const std::string& alias, const std::string& target) {
  auto it = nodes_.find(normalName(target));
  if (it != nodes_.end()) nodes_[normalName(alias)] = it->second;
}

std::optional<std::string> MemoryFileSystem::contents(const std::string& path) const {
  auto it = nodes_.find(normalName(path));
  if (it == nodes_.end() || it->second.text == nullptr) return std::nullopt;
  return *it->second.text;
}

bool MemoryFileSystem::exists(const std::string& path) const {
  return nodes_.contains(normalName(path));
}

std::vector<std::string> MemoryFileSystem::names() const {
  std::vector<std::string> all;
  for (const auto& [name, node] : nodes_) all.push_back(name);
  return all;
}

MemoryFileSystem::Faults& MemoryFileSystem::faults(const std::string& path) {
  return faults_[normalName(path)];
}

int MemoryFileSystem::openOutputs() const {
  return openOutputs_;
}

std::unique_ptr<InputFile> MemoryFileSystem::openForReading(const std::string& path,
                                                            OpenFailure* failure) {
  OpenFailure ignored;
  if (failure == nullptr) failure = &ignored;
  std::string name = normalName(path);
  if (onOpen_) onOpen_(name);
  auto fault = faults_.find(name);
  auto it = nodes_.find(name);
  if (it == nodes_.end() || (fault != faults_.end() && fault->second.openFails)) {
    *failure = OpenFailure::notFound;
    return nullptr;
  }
  if (it->second.text == nullptr) {
    *failure = OpenFailure::notRegular;
    return nullptr;
  }
  std::optional<std::uint64_t> failsAt;
  if (fault != faults_.end()) failsAt = fault->second.readFailsAt;
  return std::make_unique<MemoryInput>(it->second.text, it->second.id, failsAt);
}

std::unique_ptr<OutputFile> MemoryFileSystem::createOutput(const std::string& path) {
  std::string name = normalName(path);
  auto it = nodes_.find(name);
  auto fault = faults_.find(name);
  Faults none;
  const Faults& faults = fault != faults_.end() ? fault->second : none;
  // Something that is not a regular file can't be replaced (a folder, above all).
  if (faults.createFails || (it != nodes_.end() && it->second.text == nullptr)) return nullptr;
  ++openOutputs_;
  return std::make_unique<Output>(*this, name, faults);
}

bool MemoryFileSystem::publish(const std::string& path, std::string text, bool commitFails) {
  if (commitFails) return false;
  nodes_[path] = Node{std::make_shared<const std::string>(std::move(text)), newId()};
  return true;
}

void MemoryFileSystem::outputDone() {
  --openOutputs_;
}

std::optional<FileId> MemoryFileSystem::identify(const std::string& path) {
  auto it = nodes_.find(normalName(path));
  if (it == nodes_.end()) return std::nullopt;
  return it->second.id;
}

std::optional<NameId> MemoryFileSystem::identifyName(const std::string& path) {
  std::string name = normalName(path);
  std::size_t slash = name.find_last_of('/');
  std::string folder =
      slash == std::string::npos ? "." : name.substr(0, std::max<std::size_t>(slash, 1));
  std::string leaf = slash == std::string::npos ? name : name.substr(slash + 1);
  // Every folder exists here; each gets an identity the first time it is asked for.
  auto [it, added] = folders_.try_emplace(folder);
  if (added) it->second = newId();
  return NameId{it->second, leaf};
}

bool MemoryFileSystem::remove(const std::string& path) {
  return nodes_.erase(normalName(path)) != 0;
}

}  // namespace zelas
