// Round trips through the disassembler, shared by the tests and the benchmark: random images
// made of instruction streams, and assemble(disassemble(image)) compared with the image.
#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "target/product.h"

namespace zelas::test {

// How a random image is made.
struct StreamImageShape {
  int streams = 8;  // instruction streams per image
  std::size_t maxStreamBytes = 48;
  std::size_t maxImageSize = 0x400;
};

// An image of random instruction streams of the product's family (every form of the map,
// random operands, targets often inside the image), placed at random addresses over a
// background of fill bytes. Some streams are laid out by the page rule, with the NOP and XPAGE
// fillers the assembler would insert; others ignore it. An image as large as the ROM gets a
// random fill byte, any other the assembler's default 00h.
std::vector<std::uint8_t> randomStreamImage(std::mt19937& rng, const Product& product,
                                            const StreamImageShape& shape);

struct RoundTrip {
  bool same = false;
  std::string source;                     // what the disassembler wrote
  std::vector<std::uint8_t> reassembled;  // what zelas made of it
  std::string report;                     // zelas's standard error, or why the trip failed
};

// Disassembles image for product (with a cpu line), assembles the source in folder with zelas
// in-process (with -e when beyondRom) and compares the resulting .rom with the image.
RoundTrip roundTripImage(const std::vector<std::uint8_t>& image, const Product& product,
                         bool beyondRom, const std::filesystem::path& folder);

// The first address where two images differ, or -1 when they are equal.
long firstDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b);

}  // namespace zelas::test
