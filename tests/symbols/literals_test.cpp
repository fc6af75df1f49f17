#include "symbols/literals.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <random>
#include <string>

#include "scan/char_class.h"
#include "symbols/line_fixture.h"

namespace zelas::test {
namespace {

TEST(Literals, Recognisers) {
  EXPECT_TRUE(isBinaryNumber("0b"));
  EXPECT_TRUE(isBinaryNumber("101B"));
  EXPECT_FALSE(isBinaryNumber("b"));
  EXPECT_FALSE(isBinaryNumber("101"));
  EXPECT_FALSE(isBinaryNumber("121b"));
  EXPECT_TRUE(isHexNumber("0FFh"));
  EXPECT_TRUE(isHexNumber("ffH"));
  EXPECT_FALSE(isHexNumber("h"));
  EXPECT_FALSE(isHexNumber("0FGh"));
  EXPECT_TRUE(isDecimalNumber("12"));
  EXPECT_TRUE(isDecimalNumber("12d"));
  EXPECT_FALSE(isDecimalNumber("d"));
  EXPECT_FALSE(isDecimalNumber(""));
  EXPECT_FALSE(isDecimalNumber("1a"));
}

TEST(Literals, NumberRule) {
  EXPECT_EQ(numberValue("0FFh"), 255);
  EXPECT_EQ(numberValue("FFh"), 255);
  EXPECT_EQ(numberValue("101b"), 5);
  EXPECT_EQ(numberValue("0b"), 0);
  EXPECT_EQ(numberValue("12"), 12);
  EXPECT_EQ(numberValue("12D"), 12);
  EXPECT_EQ(numberValue("0123"), 123);
  EXPECT_EQ(numberValue("1Bh"), 0x1B);
  // The last letter is a radix suffix: 1B is binary 1, not the hex byte 1Bh.
  EXPECT_EQ(numberValue("1B"), 1);
  for (const char* notNumber : {"2B", "1AB", "0AD", "A1", "b", "h", "d", "", "_1", "1.5", "x12"}) {
    EXPECT_FALSE(numberValue(notNumber).has_value()) << notNumber;
  }
}

// The number rule composed from the recognisers and converters, as the assembler applies it
// without their separate passes.
std::optional<Value> numberByRule(std::string_view token) {
  if (token.empty() || !isHexDigit(token.front())) return std::nullopt;
  std::string_view digits = token.substr(0, token.size() - 1);
  char suffix = static_cast<char>(std::tolower(static_cast<unsigned char>(token.back())));
  if (suffix == 'b')
    return isBinaryNumber(token) ? std::optional(binaryValue(token)) : std::nullopt;
  if (suffix == 'd')
    return isDecimalNumber(token) ? std::optional(decimalValue(digits)) : std::nullopt;
  if (suffix == 'h') return isHexNumber(token) ? std::optional(hexValue(token)) : std::nullopt;
  if (token.front() < '0' || token.front() > '9' || !isDecimalNumber(token)) return std::nullopt;
  return decimalValue(token);
}

TEST(Literals, NumberRuleAgreesWithItsPartsOnRandomTokens) {
  const std::string alphabet = "0123456789aAbBdDfFhHgx_#.";
  std::mt19937 random(11);
  for (int trial = 0; trial < 50000; ++trial) {
    std::string token;
    std::size_t length = 1 + random() % (trial % 10 == 0 ? 40 : 6);
    for (std::size_t i = 0; i < length; ++i) {
      // Mostly digits, so that many tokens are numbers, some of them past 32 bits.
      token.push_back(random() % 3 != 0 ? static_cast<char>('0' + random() % 10)
                                        : alphabet[random() % alphabet.size()]);
    }
    ASSERT_EQ(numberValue(token), numberByRule(token)) << token;
  }
}

TEST(Literals, ConvertersWrapAndClamp) {
  EXPECT_EQ(numberValue("123456789h"), 0x23456789);
  EXPECT_EQ(numberValue("FFFFFFFFh"), -1);
  EXPECT_EQ(numberValue("111111111111111111111111111111111b"), -1);  // 33 ones
  EXPECT_EQ(numberValue("99999999999"), kValueMax);
  EXPECT_EQ(numberValue("2147483648d"), kValueMax);
  EXPECT_EQ(decimalValue("  -2147483648"), kValueMin);
  EXPECT_EQ(decimalValue("-99999999999999999999999"), kValueMin);
  EXPECT_EQ(decimalValue("+17x"), 17);
  EXPECT_EQ(decimalValue("\t 42d"), 42);
  EXPECT_EQ(decimalValue("abc"), 0);
  EXPECT_EQ(decimalValue(""), 0);
  // Only the view is read: the digits after it belong to someone else.
  EXPECT_EQ(decimalValue(std::string_view("12345", 2)), 12);
}

TEST(Literals, CharacterConstants) {
  LineFixture f;
  EXPECT_EQ(characterValue(f.as(), "'A'"), 0x41);
  EXPECT_EQ(characterValue(f.as(), "'AB'"), 0x4142);
  EXPECT_EQ(characterValue(f.as(), "''"), 0);
  EXPECT_EQ(characterValue(f.as(), "' '"), 0x20);
  EXPECT_EQ(characterValue(f.as(), "'\\''"), 0x27);
  EXPECT_EQ(characterValue(f.as(), "'\\\\\\''"), 0x5C27);
  EXPECT_EQ(characterValue(f.as(), "'\xE9'"), 0xE9);
  EXPECT_EQ(f.takeErr(), "");
  f.setLine("'ABC'");
  EXPECT_EQ(characterValue(f.as(), "'ABC'"), 0x4142);
  EXPECT_EQ(f.takeErr(),
            warningText("Character data type cannot exceed 2 characters: 'ABC'", 0, "'ABC'"));
}

// A line that ended inside a constant leaves a lone backslash before the closing quote the
// scanner added; the escape takes that quote and the conversion stops at the token's end.
TEST(Literals, LoneBackslashTakesTheClosingQuote) {
  LineFixture f;
  std::string buffer = "'\\'XYZ";
  EXPECT_EQ(characterValue(f.as(), std::string_view(buffer).substr(0, 3)), 0x27);
  EXPECT_EQ(characterValue(f.as(), std::string_view(buffer).substr(0, 2)), '\\');
  EXPECT_EQ(f.takeErr(), "");
}

}  // namespace
}  // namespace zelas::test
