// The training run of the profile-guided build: an instrumented assembler library assembles a
// generated source of every shape, and the compiler then lays out the build proper by the counts
// this run leaves behind. The sources are the benchmark's, so the paths that decide the
// benchmark's figures are the ones measured.
//
// zelas_pgo_training FOLDER: writes the sources and their outputs to FOLDER and removes them
// afterwards; exit status 1 when a source can't be written or an assembly fails.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/disk_file_system.h"
#include "driver/driver.h"
#include "source_generator.h"

namespace {

using zelas::bench::SourceShape;

struct Lesson {
  SourceShape shape;
  long lines;
};

// The realistic mix weighs most, as in the benchmark; each stress shape adds its own paths.
constexpr Lesson kLessons[] = {
    {SourceShape::mix, 200000},       {SourceShape::labels, 20000},
    {SourceShape::macros, 20000},     {SourceShape::longNames, 20000},
    {SourceShape::deepLocals, 20000}, {SourceShape::noLabels, 20000},
};

bool assemble(const Lesson& lesson, std::FILE* devNull) {
  std::string stem = zelas::bench::shapeName(lesson.shape);
  if (!zelas::bench::writeSource(stem + ".asm", lesson.lines, lesson.shape)) {
    std::fprintf(stderr, "zelas_pgo_training: cannot write %s.asm\n", stem.c_str());
    return false;
  }
  // The sources overflow every product's ROM, as the benchmark's do.
  zelas::DiskFileSystem files;
  int status = zelas::runZelas({"-e", stem}, devNull, devNull, files);
  if (status != 0) {
    std::fprintf(stderr, "zelas_pgo_training: %s.asm failed with status %d\n", stem.c_str(),
                 status);
  }
  return status == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zelas_pgo_training FOLDER\n");
    return 2;
  }
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::absolute(argv[1], ec);
  std::filesystem::create_directories(folder, ec);
  std::filesystem::current_path(folder, ec);
  if (ec) {
    std::fprintf(stderr, "zelas_pgo_training: cannot use %s\n", argv[1]);
    return 1;
  }
  std::FILE* devNull = std::fopen("/dev/null", "w");
  if (devNull == nullptr) return 1;
  bool ok = true;
  for (const Lesson& lesson : kLessons) ok = assemble(lesson, devNull) && ok;
  std::fclose(devNull);
  std::filesystem::current_path(folder.parent_path(), ec);
  std::filesystem::remove_all(folder, ec);
  return ok ? 0 : 1;
}
