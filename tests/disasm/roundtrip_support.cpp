#include "disasm/roundtrip_support.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/disk_file_system.h"
#include "disasm/disassembler.h"
#include "disasm/image_reader.h"
#include "driver/driver.h"
#include "target/opcode_map.h"

namespace zelas::test {

namespace {

std::vector<const OpcodeRow*> familyRows(CpuFamily family) {
  std::vector<const OpcodeRow*> rows;
  for (const OpcodeRow& row : kOpcodeMap) {
    if (legalForFamily(row, family)) rows.push_back(&row);
  }
  return rows;
}

// The two bytes of a target form: half of the time a target inside the image (in the 4K block
// of the instruction for jumps, in the block its opcode names for calls), else random.
void pickTarget(std::mt19937& rng, const OpcodeRow& row, std::size_t pc, std::size_t imageSize,
                std::uint8_t& opcode, std::uint8_t& operand) {
  opcode = static_cast<std::uint8_t>(row.opcode | (rng() & 0x0F));
  operand = static_cast<std::uint8_t>(rng());
  if (rng() % 2 == 0) return;
  std::size_t target = rng() % imageSize;
  bool call = row.mnemonic == "call";
  if (!call && (target & ~std::size_t{0xFFF}) != (pc & ~std::size_t{0xFFF})) return;
  if (call && (target >= 0x1000) != (row.opcode == 0x50)) return;
  opcode = static_cast<std::uint8_t>(row.opcode | ((target >> 8) & 0x0F));
  operand = static_cast<std::uint8_t>(target);
}

// Places the fillers the assembler inserts before an instruction of length at pc.
std::size_t applyPageRule(std::vector<std::uint8_t>& image, std::size_t pc, std::size_t length) {
  if ((pc & 0xFF) == 0xFF && pc < image.size()) {
    image[pc++] = 0x1F;
  } else if (length == 2 && (pc & 0xFF) == 0xFE && pc + 1 < image.size()) {
    image[pc++] = 0x20;
    image[pc++] = 0x1F;
  }
  return pc;
}

void writeStream(std::mt19937& rng, const std::vector<const OpcodeRow*>& rows,
                 std::vector<std::uint8_t>& image, std::size_t pc, std::size_t bytes) {
  bool pageRule = rng() % 2 == 0;
  std::size_t end = std::min(image.size(), pc + bytes);
  while (pc < end) {
    const OpcodeRow& row = *rows[rng() % rows.size()];
    if (pageRule) pc = applyPageRule(image, pc, row.bytes);
    if (pc + row.bytes > end) break;
    std::uint8_t opcode = row.opcode;
    std::uint8_t operand = static_cast<std::uint8_t>(rng());
    if (row.operand == OperandKind::target) pickTarget(rng, row, pc, image.size(), opcode, operand);
    image[pc++] = opcode;
    if (row.bytes == 2) image[pc++] = operand;
  }
}

std::vector<std::uint8_t> readRom(const std::filesystem::path& path, bool& ok) {
  std::ifstream file(path, std::ios::binary);
  ok = static_cast<bool>(file);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  dis::ImageRead read = dis::readRomDump(text, path.string(), {0, true, ""});
  ok = ok && read.ok();
  return read.image;
}

std::string readText(std::FILE* file) {
  std::string text;
  std::rewind(file);
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
    text.push_back(static_cast<char>(c));
  return text;
}

}  // namespace

std::vector<std::uint8_t> randomStreamImage(std::mt19937& rng, const Product& product,
                                            const StreamImageShape& shape) {
  std::size_t romSize = static_cast<std::size_t>(product.romSize);
  std::size_t size = 1 + rng() % std::min(shape.maxImageSize, romSize);
  bool wholeRom = rng() % 64 == 0;
  if (wholeRom) size = romSize;
  std::vector<std::uint8_t> image(size, wholeRom ? static_cast<std::uint8_t>(rng()) : 0);
  std::vector<const OpcodeRow*> rows = familyRows(product.family);
  for (int s = 0; s < shape.streams; ++s) {
    // The first stream starts where the code walk starts; in an image that reaches the upper
    // 4K block the second runs across the block boundary.
    std::size_t start = rng() % size;
    if (s == 0) start = 0;
    if (s == 1 && size > 0x1040) start = 0xFE0 + rng() % 32;
    writeStream(rng, rows, image, start, 1 + rng() % shape.maxStreamBytes);
  }
  return image;
}

RoundTrip roundTripImage(const std::vector<std::uint8_t>& image, const Product& product,
                         bool beyondRom, const std::filesystem::path& folder) {
  RoundTrip trip;
  dis::DisassemblyOptions options;
  options.product = &product;
  options.writeCpuLine = true;
  trip.source = dis::disassembleImage(image, options);
  std::filesystem::path base = folder / "trip";
  std::ofstream(base.string() + ".asm", std::ios::binary) << trip.source;
  std::vector<std::string> args = {base.string()};
  if (beyondRom) args.push_back("-e");
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  DiskFileSystem files;
  zelas::runZelas(args, out, err, files);
  trip.report = readText(err);
  std::fclose(out);
  std::fclose(err);
  bool ok = false;
  trip.reassembled = readRom(base.string() + ".rom", ok);
  if (!ok) trip.report += "\n(no readable .rom file)";
  trip.same = ok && trip.reassembled == image;
  return trip;
}

long firstDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return static_cast<long>(i);
  }
  return a.size() == b.size() ? -1 : static_cast<long>(n);
}

}  // namespace zelas::test
