// Whole-process benchmark of the assembler: generates synthetic sources, runs the Release zelas
// binary on each as a user would (both passes, listing, .rom and .hex written), and prints the
// wall time, throughput and peak memory of the child beside the cost of merely reading the same
// file and counting its lines (the floor no assembler can beat).
//
// zelas_bench [--zelas PATH] [--dir DIR] [--repeat N] [--shapes] [SIZE...]
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "source_generator.h"

namespace {

using zelas::bench::SourceShape;
using Clock = std::chrono::steady_clock;

struct Options {
  std::string zelas = ZELAS_BINARY;
  std::string dir;
  int repeat = 3;
  bool shapes = false;
  std::vector<long> sizes;
};

struct RunResult {
  double seconds = 0;
  long peakKiB = 0;
  int status = -1;
};

struct Figures {
  long lines = 0;
  double megabytes = 0;
  RunResult run;        // best of the repeats
  double floorSeconds;  // best read-and-count time
  int errors = -1;      // from the listing summary
};

double elapsed(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Reads the file with a plain loop and counts its line ends: the least any line-based tool does.
double readAndCount(const std::string& path, long& lines) {
  auto start = Clock::now();
  int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return -1;
  static char block[1 << 16];
  lines = 0;
  for (ssize_t n; (n = read(fd, block, sizeof block)) > 0;) {
    for (ssize_t i = 0; i < n; ++i) lines += block[i] == '\n';
  }
  close(fd);
  return elapsed(start);
}

// One run of zelas -e on base.asm in its folder, output to files there; the peak resident
// memory is the child's own, from wait4.
RunResult runZelas(const Options& o, const std::string& base) {
  RunResult r;
  auto start = Clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    int null = open((base + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(null, 1);
    dup2(null, 2);
    if (chdir(o.dir.c_str()) != 0) _exit(126);
    std::string name = base.substr(base.rfind('/') + 1);
    execl(o.zelas.c_str(), o.zelas.c_str(), "-e", name.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (pid < 0 || wait4(pid, &status, 0, &usage) < 0) return r;
  r.seconds = elapsed(start);
  r.peakKiB = usage.ru_maxrss;
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// The error count from the listing's summary line "Errors   = n".
int listedErrors(const std::string& base) {
  std::FILE* f = std::fopen((base + ".lst").c_str(), "r");
  if (f == nullptr) return -1;
  char line[512];
  int errors = -1;
  while (std::fgets(line, sizeof line, f) != nullptr) {
    if (std::strncmp(line, "Errors   = ", 11) == 0) errors = std::atoi(line + 11);
  }
  std::fclose(f);
  return errors;
}

bool measure(const Options& o, long size, SourceShape shape, Figures& fig) {
  std::string base = o.dir + "/" + zelas::bench::shapeName(shape) + "_" + std::to_string(size);
  if (!zelas::bench::writeSource(base + ".asm", size, shape)) {
    std::fprintf(stderr, "zelas_bench: can't write %s.asm\n", base.c_str());
    return false;
  }
  struct stat st {};
  stat((base + ".asm").c_str(), &st);
  fig.megabytes = static_cast<double>(st.st_size) / 1e6;
  fig.floorSeconds = 1e9;
  fig.run.seconds = 1e9;
  for (int i = 0; i < o.repeat; ++i) {
    fig.floorSeconds = std::min(fig.floorSeconds, readAndCount(base + ".asm", fig.lines));
    RunResult r = runZelas(o, base);
    if (r.status < 0) {
      std::fprintf(stderr, "zelas_bench: %s did not run to the end\n", o.zelas.c_str());
      return false;
    }
    if (r.seconds < fig.run.seconds) fig.run = r;
  }
  fig.errors = listedErrors(base);
  return true;
}

void printHeader() {
  std::printf("%-12s %9s %7s %9s %12s %8s %8s %10s %7s %6s %6s\n", "shape", "lines", "MB",
              "wall ms", "lines/s", "MB/s", "peak MB", "floor ms", "ratio", "warns", "errors");
}

void printRow(SourceShape shape, const Figures& f) {
  std::printf("%-12s %9ld %7.2f %9.1f %12.0f %8.2f %8.1f %10.2f %7.1f %6d %6d\n",
              zelas::bench::shapeName(shape), f.lines, f.megabytes, f.run.seconds * 1e3,
              static_cast<double>(f.lines) / f.run.seconds, f.megabytes / f.run.seconds,
              static_cast<double>(f.run.peakKiB) / 1024.0, f.floorSeconds * 1e3,
              f.run.seconds / f.floorSeconds, f.run.status, f.errors);
}

// Runs every size of one shape and prints the growth from each size to the next.
bool runShape(const Options& o, SourceShape shape, const std::vector<long>& sizes) {
  std::vector<Figures> all;
  for (long size : sizes) {
    Figures f;
    if (!measure(o, size, shape, f)) return false;
    printRow(shape, f);
    std::fflush(stdout);
    all.push_back(f);
  }
  for (std::size_t i = 1; i < all.size(); ++i) {
    std::printf("%-12s scaling time(%ld)/time(%ld) = %.2f for %.1fx the lines\n",
                zelas::bench::shapeName(shape), all[i].lines, all[i - 1].lines,
                all[i].run.seconds / all[i - 1].run.seconds,
                static_cast<double>(all[i].lines) / static_cast<double>(all[i - 1].lines));
  }
  return true;
}

bool parseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--zelas" && i + 1 < argc) {
      o.zelas = argv[++i];
    } else if (a == "--dir" && i + 1 < argc) {
      o.dir = argv[++i];
    } else if (a == "--repeat" && i + 1 < argc) {
      o.repeat = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--shapes") {
      o.shapes = true;
    } else if (!a.empty() && a[0] != '-' && std::atol(a.c_str()) > 0) {
      o.sizes.push_back(std::atol(a.c_str()));
    } else {
      std::fprintf(stderr,
                   "usage: zelas_bench [--zelas PATH] [--dir DIR] [--repeat N] [--shapes] "
                   "[SIZE...]\n");
      return false;
    }
  }
  if (o.sizes.empty()) o.sizes = {10000, 100000, 1000000};
  if (o.dir.empty()) {
    char folder[] = "/tmp/zelas-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) return false;
    o.dir = folder;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parseOptions(argc, argv, o)) return 2;
  double load[3] = {0, 0, 0};
  getloadavg(load, 3);
  std::printf("zelas: %s\nfolder: %s, best of %d runs, load average %.2f %.2f %.2f\n\n",
              o.zelas.c_str(), o.dir.c_str(), o.repeat, load[0], load[1], load[2]);
  printHeader();
  if (!runShape(o, SourceShape::mix, o.sizes)) return 1;
  if (o.shapes) {
    // The stress shapes at a tenth and at the full largest size below a million lines: the
    // macro shape expands more lines than one pass allows beyond about 300,000 source lines.
    std::vector<long> shapeSizes = {10000, 100000};
    for (SourceShape s : {SourceShape::labels, SourceShape::macros, SourceShape::longNames,
                          SourceShape::deepLocals}) {
      if (!runShape(o, s, shapeSizes)) return 1;
    }
    // Lines without labels at the largest sizes: the peak memory must stay nearly flat.
    if (!runShape(o, SourceShape::noLabels, {100000, 1000000})) return 1;
  }
  getloadavg(load, 3);
  std::printf("\nload average after: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
  return 0;
}
