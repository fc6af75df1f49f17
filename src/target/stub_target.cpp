// STUB: replaced by the target room.
#include "core/assembler.h"
#include "emit/emit.h"
#include "target/instructions.h"
#include "target/product.h"
namespace zelas {
namespace { constexpr RamRange kR1[] = {{0, 0x7F}}; constexpr Product kP[] = {{"PX101", CpuFamily::A, kR1, 2048}}; }
std::span<const Product> productTable() { return kP; }
void selectProduct(Assembler&, const char*) {}
bool isRamAddress(const Assembler&, Value) { return true; }
Value ramSize(const Product&) { return 128; }
bool assembleInstruction(Assembler&) { return false; }
void emitByte(Assembler&, Value, int) {}
void emitTwoBytes(Assembler&, Value, Value, int) {}
}  // namespace zelas
