#include "emit/output_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "core/assembler.h"
#include "diag/messages.h"
#include "diag/report.h"
#include "emit/hex_text.h"

namespace zelas {

namespace {

constexpr unsigned kRomBytesPerLine = 8;
constexpr unsigned kHexRecordSize = 32;  // data bytes in every HEX data record
constexpr std::size_t kHexSegmentSize = 0x10000;

// The bytes both files cover: the image up to maxPC. The dispatcher may raise maxPC in pass 2
// above the image that pass 1 measured; nothing was ever stored beyond the image, so the files
// stop at its end instead of inventing bytes for addresses that were never assembled, and the
// checksum covers exactly the bytes written.
std::size_t imageExtent(const Assembler& as) {
  if (as.maxPC <= 0) return 0;
  return std::min(static_cast<std::size_t>(as.maxPC), as.romImage.size());
}

// An output that could not be written completely (full disk, I/O error) is reported, and an old
// file of its name is removed too: no file is left behind looking like this run's good one.
void finishOutput(Assembler& as, OutputFile& file, const std::string& path) {
  if (file.commit()) return;
  as.files.remove(path);
  as.outputFailed = true;
  reportError(as, msg::unableToWrite, path.c_str());
}

// Text gathered in a block and handed to the file when the block is full: one call per block
// rather than one per line. A failed write stays with the file, which then won't commit.
class OutputBlock {
 public:
  explicit OutputBlock(OutputFile& file) : file_(file) {}
  ~OutputBlock() { flush(); }
  OutputBlock(const OutputBlock&) = delete;
  OutputBlock& operator=(const OutputBlock&) = delete;

  // Room for n bytes (n at most the block's size); commit(end) keeps what was written up to end.
  char* reserve(std::size_t n) {
    if (sizeof data_ - size_ < n) flush();
    return data_ + size_;
  }
  void commit(const char* end) { size_ = static_cast<std::size_t>(end - data_); }
  void flush() {
    if (size_ > 0) file_.write(data_, size_);
    size_ = 0;
  }

 private:
  OutputFile& file_;
  char data_[1 << 14];
  std::size_t size_ = 0;
};

// Each line "%02X " per byte, the last one of the line followed by "\n" instead of the blank;
// a line is formatted whole and written with one call. Returns the checksum, the 16-bit sum of
// the bytes written.
Value writeRomBytes(const Assembler& as, OutputFile& file, std::size_t extent) {
  Value checksum = 0;
  OutputBlock block(file);
  for (std::size_t start = 0; start < extent; start += kRomBytesPerLine) {
    std::size_t end = std::min(start + kRomBytesPerLine, extent);
    char* out = block.reserve(kRomBytesPerLine * 3 + 1);
    for (std::size_t i = start; i < end; ++i) {
      std::uint8_t byte = as.romImage[i];
      checksum = wrapAdd(checksum, byte);
      out = putHexByte(out, byte);
      *out++ = (i + 1) % kRomBytesPerLine == 0 ? '\n' : ' ';
    }
    if (end == extent && extent % kRomBytesPerLine != 0) *out++ = '\n';
    block.commit(out);
  }
  return checksum;
}

// Intel HEX addresses carry 16 bits. Records below 10000h are written with no extended address
// record, so every image a product's ROM can hold gives the plain classic file. From 10000h on
// (reachable only with -e), each 64K segment is opened by an extended linear address record
// (type 04) carrying the upper 16 address bits, which consumers add to the 16-bit addresses of
// the data records that follow. Records start at multiples of 32, so none straddles a segment.
void writeSegmentRecord(OutputBlock& block, std::size_t address) {
  unsigned upper = static_cast<unsigned>(address >> 16) & 0xFFFFu;
  unsigned sum = 0x02u + 0x04u + (upper >> 8) + (upper & 0xFFu);
  char* out = block.reserve(32);
  int length = std::snprintf(out, 32, ":02000004%04X%02X\n", upper, (0u - sum) & 0xFFu);
  block.commit(out + length);
}

// One full data record at address; bytes at or beyond the extent are the fill byte.
void writeDataRecord(const Assembler& as, OutputBlock& block, std::size_t address,
                     std::size_t extent) {
  unsigned offset = static_cast<unsigned>(address) & 0xFFFFu;
  // ":%02X%04X00", the data bytes "%02X" each, the checksum "%02X" and "\n".
  char* out = block.reserve(1 + 2 + 4 + 2 + kHexRecordSize * 2 + 2 + 1);
  *out++ = ':';
  out = putHexByte(out, kHexRecordSize);
  out = putHex(out, offset, 4);
  *out++ = '0';
  *out++ = '0';
  unsigned sum = kHexRecordSize + (offset & 0xFFu) + (offset >> 8);
  for (std::size_t i = address; i < address + kHexRecordSize; ++i) {
    std::uint8_t byte = i < extent ? as.romImage[i] : lowByte(as.fillValue);
    out = putHexByte(out, byte);
    sum += byte;
  }
  out = putHexByte(out, (0u - sum) & 0xFFu);
  *out++ = '\n';
  block.commit(out);
}

void writeHexRecords(const Assembler& as, OutputFile& file, std::size_t extent) {
  OutputBlock block(file);
  for (std::size_t address = 0; address < extent; address += kHexRecordSize) {
    if (address != 0 && address % kHexSegmentSize == 0) writeSegmentRecord(block, address);
    writeDataRecord(as, block, address, extent);
  }
  static constexpr char kEndRecord[] = ":00000001FF\n";
  char* out = block.reserve(sizeof kEndRecord - 1);
  block.commit(std::copy_n(kEndRecord, sizeof kEndRecord - 1, out));
}

std::unique_ptr<OutputFile> createRomFile(Assembler& as, const std::string& path) {
  std::unique_ptr<OutputFile> file = as.files.createOutput(path);
  if (file == nullptr) std::fprintf(as.err, msg::unableToCreate, path.c_str());
  return file;
}

// Commits a HEX file written, or reports the one that couldn't be created as an error; the run
// goes on either way.
void finishHexFile(Assembler& as, OutputFile* file, const std::string& path) {
  if (file != nullptr) {
    finishOutput(as, *file, path);
    return;
  }
  as.outputFailed = true;
  reportError(as, msg::unableToWrite, path.c_str());
}

}  // namespace

bool writeRomFile(Assembler& as, const std::string& base) {
  std::string path = base + ".rom";
  std::unique_ptr<OutputFile> file = createRomFile(as, path);
  if (file == nullptr) return false;
  as.checksum = writeRomBytes(as, *file, imageExtent(as));
  finishOutput(as, *file, path);
  return true;
}

void writeHexFile(Assembler& as, const std::string& base) {
  std::string path = base + ".hex";
  std::unique_ptr<OutputFile> file = as.files.createOutput(path);
  if (file != nullptr) writeHexRecords(as, *file, imageExtent(as));
  finishHexFile(as, file.get(), path);
}

bool writeImageFiles(Assembler& as, const std::string& base) {
  // Without a ROM file the run ends, and no HEX file is left that looks like this run's.
  if (!writeRomFile(as, base)) return false;
  writeHexFile(as, base);
  return true;
}

}  // namespace zelas
