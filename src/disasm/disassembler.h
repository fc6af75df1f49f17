// The disassembler: turns a ROM image into a source that zelas assembles back to the same
// image, and the zelas-dis command around it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "core/file_system.h"
#include "target/product.h"

namespace zelas::dis {

// What the source is written for.
struct DisassemblyOptions {
  const Product* product = nullptr;  // the product the image is for (null: the first row)
  bool writeCpuLine = false;         // select the product with a cpu statement
  std::string imageName;             // named in the header
};

// The source text for image.
std::string disassembleImage(std::span<const std::uint8_t> image,
                             const DisassemblyOptions& options);
// Sum of the image's bytes, low 16 bits (the assembler's CheckSum).
unsigned imageChecksum(std::span<const std::uint8_t> image);

// Runs zelas-dis with args (without the program name), reading and writing files through
// files; returns the exit status.
int runDisassembler(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
                    FileSystem& files);

}  // namespace zelas::dis
