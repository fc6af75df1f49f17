// STUB: replaced by the configuration room.
#include "core/assembler.h"
#include "driver/config.h"
namespace zelas {
void readConfiguration(Assembler&, const std::string&, bool) {}
std::optional<Value> parseConfigValue(Assembler&) { return std::nullopt; }
}  // namespace zelas
