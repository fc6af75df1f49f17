#include "disasm/disassembler.h"

#include <string_view>

#include "disasm/code_map.h"
#include "disasm/decoder.h"
#include "disasm/text_format.h"

namespace zelas::dis {

namespace {

constexpr std::size_t kBytesPerDataLine = 8;
// A run of fill bytes at least this long that no code reaches is skipped with org instead of
// being spelt out; shorter runs read better as data.
constexpr std::size_t kMinGap = 16;
constexpr std::size_t kStatementColumn = 8;
constexpr std::size_t kCommentColumn = 40;
constexpr std::size_t kMnemonicWidth = 8;    // operands start in the same column on every line
constexpr std::uint8_t kDefaultFill = 0x00;  // the assembler's fill byte without a fillrom
// The page rule's fillers are the map's own xpage and nop.
constexpr std::uint8_t kXpageCode = opcodeRow("xpage", "").opcode;
constexpr std::uint8_t kNopCode = opcodeRow("nop", "").opcode;
constexpr std::size_t kPageMask = 0xFF;
constexpr std::size_t kBlockMask = 0xFFF;

// Writes the source of one image, item by item in address order. The assembler's page rule
// places an instruction that starts on a page's last byte (or a two-byte one on the byte before)
// behind inserted NOP/XPAGE fillers; everything else lands where the source's location counter
// stands. The writer mirrors that rule so that every byte keeps its address.
class SourceWriter {
 public:
  SourceWriter(std::span<const std::uint8_t> image, const DisassemblyOptions& options)
      : image_(image),
        options_(options),
        family_(options.product->family),
        map_(mapCode(image, family_)),
        useFillrom_(!image.empty() &&
                    image.size() == static_cast<std::size_t>(options.product->romSize)),
        fill_(useFillrom_ ? image.back() : kDefaultFill) {}

  std::string write() {
    writeHeader();
    std::size_t address = 0;
    while (address < image_.size()) address = writeItemAt(address);
    return text_;
  }

 private:
  void writeHeader();
  std::size_t writeItemAt(std::size_t address);
  std::size_t fillersAt(std::size_t address) const;
  std::size_t gapAt(std::size_t address) const;
  std::size_t writeFillers(std::size_t address, std::size_t count);
  std::size_t writeInstruction(std::size_t address);
  std::size_t writeGap(std::size_t address, std::size_t length);
  std::size_t writeData(std::size_t address);
  std::string instructionText(const Decoded& d) const;
  std::string labelName(std::size_t address) const;
  bool hasLabel(std::size_t address) const;
  bool isInstruction(std::size_t address) const;
  void writeLine(const std::string& label, const std::string& statement,
                 const std::string& comment);
  std::string bytesComment(std::size_t address, std::size_t count) const;

  std::span<const std::uint8_t> image_;
  const DisassemblyOptions& options_;
  CpuFamily family_;
  CodeMap map_;
  bool useFillrom_;    // the image is the whole ROM: fillrom sizes it and fills its gaps
  std::uint8_t fill_;  // the byte that gaps hold after assembly
  std::string text_;
};

bool SourceWriter::hasLabel(std::size_t address) const {
  return address < image_.size() && map_.target[address] && map_.role[address] != ByteRole::operand;
}

bool SourceWriter::isInstruction(std::size_t address) const {
  return address < image_.size() && map_.role[address] == ByteRole::instruction;
}

std::string SourceWriter::labelName(std::size_t address) const {
  return formatText("L_%04X", static_cast<unsigned>(address));
}

void SourceWriter::writeLine(const std::string& label, const std::string& statement,
                             const std::string& comment) {
  std::string line = label.empty() ? std::string() : label + ":";
  if (!statement.empty()) {
    line.append(line.size() < kStatementColumn ? kStatementColumn - line.size() : 1, ' ');
    line += statement;
  }
  if (!comment.empty()) {
    if (!line.empty())
      line.append(line.size() < kCommentColumn ? kCommentColumn - line.size() : 1, ' ');
    line += "; " + comment;
  }
  text_ += line + "\n";
}

std::string SourceWriter::bytesComment(std::size_t address, std::size_t count) const {
  std::string comment = formatText("%04X ", static_cast<unsigned>(address));
  for (std::size_t i = address; i < address + count; ++i) comment += formatText(" %02X", image_[i]);
  return comment;
}

void SourceWriter::writeHeader() {
  const Product& product = *options_.product;
  std::string name = options_.imageName.empty() ? std::string("image") : options_.imageName;
  text_ += formatText("; Disassembly of %s by zelas-dis\n", name.c_str());
  text_ += formatText("; Product %.*s, CPU family %s, ROM %04Xh bytes\n",
                      static_cast<int>(product.id.size()), product.id.data(),
                      product.family == CpuFamily::A ? "A" : "B",
                      static_cast<unsigned>(product.romSize));
  text_ += formatText("; Image %04Xh bytes, checksum %04X\n", static_cast<unsigned>(image_.size()),
                      imageChecksum(image_));
  text_ += formatText("; Bytes no code path reaches are db; runs of %s fill bytes are org gaps.\n",
                      hexLiteral(fill_, 2).c_str());
  if (image_.size() > static_cast<std::size_t>(product.romSize)) {
    text_ += "; The image exceeds the product's ROM: assemble with -e.\n";
  }
  if (options_.writeCpuLine) {
    writeLine(
        "", formatText("cpu     %.*s", static_cast<int>(product.id.size()), product.id.data()), "");
  }
  if (useFillrom_) writeLine("", "fillrom " + hexLiteral(fill_, 2), "the image is the whole ROM");
}

std::size_t SourceWriter::writeItemAt(std::size_t address) {
  if (isInstruction(address)) {
    std::size_t fillers = fillersAt(address);
    if (fillers > 0) return writeFillers(address, fillers);
    return writeInstruction(address);
  }
  std::size_t gap = gapAt(address);
  if (gap > 0) return writeGap(address, gap);
  return writeData(address);
}

// How many bytes at address are fillers that the assembler will insert again by itself when
// the source leaves them out: an XPAGE on a page's last byte before an instruction, or a NOP and
// an XPAGE on the last two bytes before a two-byte instruction. Only the first of them may carry
// a label (a label alone on its line names the address before the fillers). Fillers in front of
// a 4K block's first byte stay written out when the instruction there has a ROM target: the
// assembler checks a target's block against the address before the fillers.
std::size_t SourceWriter::fillersAt(std::size_t address) const {
  auto nextFits = [&](std::size_t next, bool needsTwoBytes) {
    if (!isInstruction(next)) return false;
    std::optional<Decoded> d = decodeAt(image_, next, family_);
    if (needsTwoBytes && d->row->bytes != 2) return false;
    return (next & kBlockMask) != 0 || d->row->operand != OperandKind::target;
  };
  std::uint8_t code = image_[address];
  if (code == kXpageCode && (address & kPageMask) == 0xFF)
    return nextFits(address + 1, false) ? 1 : 0;
  if (code == kNopCode && (address & kPageMask) == 0xFE && isInstruction(address + 1) &&
      image_[address + 1] == kXpageCode && !hasLabel(address + 1)) {
    return nextFits(address + 2, true) ? 2 : 0;
  }
  return 0;
}

std::size_t SourceWriter::writeFillers(std::size_t address, std::size_t count) {
  writeLine(hasLabel(address) ? labelName(address) : std::string(), "",
            bytesComment(address, count) + "  page fillers, inserted by the assembler");
  return address + count;
}

std::string SourceWriter::instructionText(const Decoded& d) const {
  const OpcodeRow& row = *d.row;
  std::string text(row.mnemonic);
  if (row.operands.empty()) return text;
  std::string operand;
  if (row.operand == OperandKind::target) {
    bool named = d.target >= 0 && hasLabel(static_cast<std::size_t>(d.target));
    operand =
        named ? labelName(static_cast<std::size_t>(d.target)) : hexLiteral(toUnsigned(d.target), 4);
  } else {
    operand = hexLiteral(d.operand, 2);
  }
  std::string operands(row.operands);
  std::size_t expr = operands.find("expr");
  if (expr != std::string::npos) operands.replace(expr, 4, operand);
  text.append(text.size() < kMnemonicWidth ? kMnemonicWidth - text.size() : 1, ' ');
  return text + operands;
}

// An instruction that starts on a page's last byte, or a two-byte one that ends there, would be
// moved by the page rule: it is written with page handling off around it.
std::size_t SourceWriter::writeInstruction(std::size_t address) {
  std::optional<Decoded> d = decodeAt(image_, address, family_);
  std::size_t length = d->row->bytes;
  bool crossing = (address & kPageMask) == 0xFF || (length == 2 && (address & kPageMask) == 0xFE);
  if (crossing) writeLine("", "xpageoff", "");
  writeLine(hasLabel(address) ? labelName(address) : std::string(), instructionText(*d),
            bytesComment(address, length));
  if (crossing) writeLine("", "xpageon", "");
  return address + length;
}

// Length of the run of fill bytes at address that may become an org gap: data only, labelled at
// most on its first byte, at least kMinGap long.
std::size_t SourceWriter::gapAt(std::size_t address) const {
  std::size_t end = address;
  while (end < image_.size() && map_.role[end] == ByteRole::data && image_[end] == fill_ &&
         (end == address || !hasLabel(end))) {
    ++end;
  }
  return end - address >= kMinGap ? end - address : 0;
}

std::size_t SourceWriter::writeGap(std::size_t address, std::size_t length) {
  std::size_t end = address + length;
  std::string comment = formatText("%04X  %04Xh bytes %s", static_cast<unsigned>(address),
                                   static_cast<unsigned>(length), hexLiteral(fill_, 2).c_str());
  if (hasLabel(address)) writeLine(labelName(address), "", "");
  // With fillrom the image already reaches the end of the ROM; an org there would be refused.
  if (end == image_.size() && useFillrom_) {
    writeLine("", "", comment + " up to the end of the ROM");
  } else {
    writeLine("", "org     " + hexLiteral(static_cast<unsigned>(end), 4), comment);
  }
  return end;
}

std::size_t SourceWriter::writeData(std::size_t address) {
  std::size_t end = address;
  std::string items;
  while (end < image_.size() && end - address < kBytesPerDataLine &&
         map_.role[end] == ByteRole::data && (end == address || !hasLabel(end)) &&
         (end == address || gapAt(end) == 0)) {
    if (!items.empty()) items += ',';
    items += hexLiteral(image_[end], 2);
    ++end;
  }
  writeLine(hasLabel(address) ? labelName(address) : std::string(), "db      " + items,
            bytesComment(address, end - address));
  return end;
}

}  // namespace

std::string disassembleImage(std::span<const std::uint8_t> image,
                             const DisassemblyOptions& options) {
  DisassemblyOptions resolved = options;
  if (resolved.product == nullptr) resolved.product = &productTable().front();
  return SourceWriter(image, resolved).write();
}

unsigned imageChecksum(std::span<const std::uint8_t> image) {
  unsigned sum = 0;
  for (std::uint8_t byte : image) sum += byte;
  return sum & 0xFFFFu;
}

}  // namespace zelas::dis
