// gen_source LINES [SHAPE] OUT.asm: writes a synthetic source (and bench_io.inc beside it).
#include <cstdio>
#include <cstdlib>

#include "source_generator.h"

int main(int argc, char** argv) {
  using namespace zelas::bench;
  SourceShape shape = SourceShape::mix;
  if (argc != 3 && argc != 4) {
    std::fprintf(
        stderr,
        "usage: gen_source LINES [mix|labels|macros|long-names|deep-locals|no-labels] OUT\n");
    return 2;
  }
  long lines = std::atol(argv[1]);
  if (argc == 4 && !parseShape(argv[2], shape)) {
    std::fprintf(stderr, "gen_source: unknown shape '%s'\n", argv[2]);
    return 2;
  }
  if (!writeSource(argv[argc - 1], lines, shape)) {
    std::fprintf(stderr, "gen_source: can't write '%s'\n", argv[argc - 1]);
    return 1;
  }
  return 0;
}
