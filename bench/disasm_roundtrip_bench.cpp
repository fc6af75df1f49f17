// Round-trip benchmark of the disassembler: random instruction-stream images of both families
// are disassembled and assembled again for a limited time, with a seed that changes from run to
// run (or is given), and the figures are printed. Any image that does not come back byte for byte
// is written out with its seed and ends the run with status 1.
//
//   disasm_roundtrip_bench [SECONDS [SEED]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "disasm/disassembler.h"
#include "disasm/roundtrip_support.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Totals {
  long images = 0;
  long streams = 0;
  long bytes = 0;
  double disassemblySeconds = 0;
};

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Writes the failing image's source and reports it; returns false.
bool reportFailure(const zelas::test::RoundTrip& trip, const std::vector<std::uint8_t>& image,
                   std::uint32_t seed, long index) {
  std::ofstream("disasm_bench_failure.asm") << trip.source;
  std::fprintf(stderr,
               "seed %u, image %ld (%zu bytes): differs at %ld; source in "
               "disasm_bench_failure.asm\n%s\n",
               seed, index, image.size(), zelas::test::firstDifference(image, trip.reassembled),
               trip.report.c_str());
  return false;
}

// Times the disassembler alone on image, to split the figures.
double timeDisassembly(const std::vector<std::uint8_t>& image, const zelas::Product& product) {
  zelas::dis::DisassemblyOptions options;
  options.product = &product;
  Clock::time_point start = Clock::now();
  std::string source = zelas::dis::disassembleImage(image, options);
  return source.empty() ? 0 : secondsSince(start);
}

bool runFor(double seconds, std::uint32_t seed, const std::filesystem::path& folder,
            Totals& totals) {
  const zelas::Product* products[] = {zelas::findProduct("PX104"), zelas::findProduct("PX109")};
  std::mt19937 rng(seed);
  zelas::test::StreamImageShape shape;
  Clock::time_point start = Clock::now();
  while (secondsSince(start) < seconds) {
    const zelas::Product& product = *products[totals.images % 2];
    shape.maxImageSize = totals.images % 4 == 3 ? 0x1200 : 0x600;
    std::vector<std::uint8_t> image = zelas::test::randomStreamImage(rng, product, shape);
    totals.disassemblySeconds += timeDisassembly(image, product);
    zelas::test::RoundTrip trip = zelas::test::roundTripImage(image, product, false, folder);
    if (!trip.same) return reportFailure(trip, image, seed, totals.images);
    ++totals.images;
    totals.streams += shape.streams;
    totals.bytes += static_cast<long>(image.size());
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  std::uint32_t seed = argc > 2 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 0))
                                : std::random_device{}();
  std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zelas-dis-bench-" + std::to_string(seed));
  std::filesystem::create_directories(folder);
  Totals totals;
  Clock::time_point start = Clock::now();
  bool ok = runFor(seconds, seed, folder, totals);
  double elapsed = secondsSince(start);
  std::filesystem::remove_all(folder);
  std::printf("seed %u: %ld images, %ld streams, %ld bytes in %.2f s\n", seed, totals.images,
              totals.streams, totals.bytes, elapsed);
  std::printf("round trips per second: %.1f; disassembly alone: %.1f us per image, %.1f MB/s\n",
              totals.images / elapsed,
              totals.images ? 1e6 * totals.disassemblySeconds / totals.images : 0.0,
              totals.disassemblySeconds > 0 ? totals.bytes / totals.disassemblySeconds / 1e6 : 0.0);
  return ok ? 0 : 1;
}
