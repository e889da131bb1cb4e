#include "outputs/text/reading_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "values/tracked_reading.h"

namespace trelvox {
namespace {

struct TextCase {
  std::int64_t number;
  std::int8_t scale;
  ValueFormat format;
  const char* text;
};

constexpr TextCase kTextCases[] = {
    {126, 1, {.width = 3, .decimals = 1}, " 12.6"},
    {-35, 1, {.width = 4, .decimals = 1}, "  -3.5"},
    {0, 1, {.width = 5, .decimals = 1, .plusSign = true}, "    0.0"},
    {250, 1, {.width = 5, .decimals = 1, .plusSign = true}, "  +25.0"},
    {-250, 1, {.width = 5, .decimals = 1, .plusSign = true}, "  -25.0"},
    {47, -1, {.width = 6}, "   470"},
    {47, -2, {.width = 6}, "  4700"},
    {-5,
     1,
     {.width = 3, .decimals = 1},
     " -0.5"},  // the sign comes from the number, not its whole part
    {-1,
     1,
     {.width = 3, .decimals = 1},
     " -0.1"},  // a negative number shows '-' even without sign position
    {-7, 0, {.width = 4}, "  -7"},
    {1234, 2, {.width = 4, .decimals = 1}, "  12.3"},  // hundredths cut, not rounded
    {-50, 2, {.width = 4}, "  -0"},
    {-123,
     2,
     {.width = 3, .decimals = 2, .plusSign = true},
     " -1.23"},  // '+' mode still shows '-' for negatives
    {123, 2, {.width = 3, .decimals = 2, .plusSign = true}, " +1.23"},
    // Digits are never dropped: the text grows to hold them, without a leading blank.
    {12345, 0, {.width = 4}, "12345"},
    {12345, 1, {.width = 4, .decimals = 1}, "1234.5"},
    {-12345, 1, {.width = 4, .decimals = 1}, "-1234.5"},
    {12345, 2, {.width = 3, .decimals = 2, .plusSign = true}, "+123.45"},
    {9999, 1, {.width = 4, .decimals = 1}, " 999.9"},
    {2147483646, 0, {.width = 6}, "2147483646"},
    {4294967294, 0, {.width = 6}, "4294967294"},
    // Each side of eight digits, of eight characters and of a sign that fits or does not.
    {-12345678, 0, {.width = 6}, "-12345678"},
    {-12345678, 0, {.width = 12}, "   -12345678"},
    {1234567, 0, {.width = 8, .plusSign = true}, "+1234567"},
    {-1234567, 0, {.width = 7}, "-1234567"},
    {-7, 0, {.width = 16}, "              -7"},
    {99999999, 0, {.width = 7}, "99999999"},
    {100000000, 0, {.width = 7}, "100000000"},
    {123456789, 1, {.width = 9, .decimals = 1}, " 12345678.9"},
    {5, 0, {.width = 0, .plusSign = true}, "+5"},
};

std::string textOf(std::int64_t number, std::int8_t scale, ValueFormat format, char decimal = '.') {
  ValueText text;
  writeReadingText({.number = number, .scale = scale, .present = true}, format, decimal, text);
  return std::string(text.view());
}

TEST(ReadingText, MatchesTheFormat) {
  for (const TextCase& c : kTextCases) {
    EXPECT_EQ(textOf(c.number, c.scale, c.format), c.text)
        << c.number << " at scale " << int{c.scale};
  }
}

TEST(ReadingText, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(textOf(126, 1, {.width = 3, .decimals = 1}, ','), " 12,6");
}

TEST(ReadingText, MissingValueShowsDashes) {
  ValueText text;
  writeReadingText({.scale = 1}, {.width = 3, .decimals = 1}, '.', text);
  EXPECT_EQ(text.view(), "---");
}

TEST(Reading, ValueHonoursScaleAndPresence) {
  EXPECT_DOUBLE_EQ((Reading{.number = 505, .scale = 1, .present = true}.value()), 50.5);
  EXPECT_DOUBLE_EQ((Reading{.number = -3, .scale = 2, .present = true}.value()), -0.03);
  EXPECT_DOUBLE_EQ((Reading{.number = 47, .scale = -2, .present = true}.value()), 4700.0);
  EXPECT_DOUBLE_EQ((Reading{.number = 505, .scale = 1}.value()), 0.0);
}

TEST(TrackedReading, KeepsLatestLargestAndSmallest) {
  TrackedReading value(std::numeric_limits<std::int16_t>::max());
  for (std::int16_t v : {-5, 7, 3}) value.record(v);
  EXPECT_EQ(value.current, 3);
  EXPECT_EQ(value.largest, 7);
  EXPECT_EQ(value.smallest, -5);
}

TEST(TrackedReading, UnsignedElementsCompareWithoutSign) {
  TrackedReading value(noReadingMark(Element::kUnsigned16));
  value.record(std::uint16_t{0x8000});
  value.record(std::uint16_t{5});
  EXPECT_EQ(value.largest, 32768);
  EXPECT_EQ(value.smallest, 5);
}

TEST(TrackedReading, ReadingEqualToTheMarkLooksLikeNoneAndTheNextStartsAfresh) {
  TrackedReading value(noReadingMark(Element::kUnsigned16));
  EXPECT_FALSE(value.hasCurrent());
  value.record(10);
  value.record(0xFFFF);
  EXPECT_FALSE(value.hasCurrent());
  value.record(20);
  EXPECT_EQ(value.smallest, 20);
  EXPECT_EQ(value.largest, 20);
}

TEST(DecimalDigitCount, CountsEveryPowerOfTenBoundary) {
  EXPECT_EQ(decimalDigitCount(0), 1);
  std::uint64_t power = 1;
  for (int digits = 1; digits <= 19; ++digits, power *= 10) {
    EXPECT_EQ(decimalDigitCount(power), digits) << power;
    EXPECT_EQ(decimalDigitCount(power * 10 - 1), digits) << power * 10 - 1;
  }
  EXPECT_EQ(decimalDigitCount(std::numeric_limits<std::uint64_t>::max()), 20);
}

}  // namespace
}  // namespace trelvox
