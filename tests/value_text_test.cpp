#include <gtest/gtest.h>

#include <cstdint>

#include "sensors/sensor_value.h"
#include "sensors/tracked_value.h"

namespace trelvox {
namespace {

struct TextCase {
  std::int64_t number;
  int scale;
  ValueFormat format;
  const char* text;
};

constexpr TextCase kTextCases[] = {
    {126, 1, {0, 3, 1, 1, "V"}, " 12.6"},
    {-35, 1, {1, 4, 1, 1, ""}, "  -3.5"},
    {0, 1, {2, 5, 1, 1, ""}, "    0.0"},
    {250, 1, {2, 5, 1, 1, ""}, "  +25.0"},
    {-250, 1, {2, 5, 1, 1, ""}, "  -25.0"},
    {47, -1, {0, 6, 0, 0, ""}, "   470"},
    {47, -2, {0, 6, 0, 0, ""}, "  4700"},
    {-5, 1, {1, 3, 1, 1, ""}, " -0.5"},  // the sign comes from the number, not its whole part
    {-1, 1, {0, 3, 1, 1, ""}, " -0.1"},  // a negative number shows '-' even without sign position
    {-7, 0, {0, 4, 0, 0, ""}, "  -7"},
    {1234, 2, {1, 4, 1, 1, ""}, "  12.3"},  // hundredths cut, not rounded
    {-50, 2, {1, 4, 0, 0, ""}, "  -0"},
    {-123, 2, {2, 3, 2, 1, ""}, " -1.23"},  // '+' mode still shows '-' for negatives
    {123, 2, {2, 3, 2, 1, ""}, " +1.23"},
    // Digits are never dropped: the text grows to hold them, without a leading blank.
    {12345, 0, {0, 4, 0, 0, ""}, "12345"},
    {12345, 1, {1, 4, 1, 1, ""}, "1234.5"},
    {-12345, 1, {1, 4, 1, 1, ""}, "-1234.5"},
    {12345, 2, {2, 3, 2, 1, ""}, "+123.45"},
    {9999, 1, {1, 4, 1, 1, ""}, " 999.9"},
    {2147483646, 0, {0, 6, 0, 0, ""}, "2147483646"},
    {4294967294, 0, {0, 6, 0, 0, ""}, "4294967294"},
};

TEST(SensorValueText, MatchesTheFormat) {
  for (const TextCase& c : kTextCases) {
    ValueText text;
    SensorValue(c.number, c.scale, c.format).toText(text, '.');
    EXPECT_EQ(text.view(), c.text) << c.number << " at scale " << c.scale;
  }
}

TEST(SensorValueText, UsesTheGivenDecimalSeparator) {
  ValueText text;
  SensorValue(126, 1, {0, 3, 1, 1, ""}).toText(text, ',');
  EXPECT_EQ(text.view(), " 12,6");
}

TEST(SensorValueText, MissingValueShowsDashes) {
  const ValueFormat format{0, 3, 1, 1, ""};
  ValueText text;
  writeCurrentText(SensorValue::missing(1, format), text, '.');
  EXPECT_EQ(text.view(), "---");
  writeRangeText(SensorValue(5, 1, format), SensorValue::missing(1, format), text, '.');
  EXPECT_EQ(text.view(), "---");
  writeRangeText(SensorValue(5, 1, format), SensorValue(126, 1, format), text, '.');
  EXPECT_EQ(text.view(), "  0.5/ 12.6");
}

TEST(SensorValue, ToDoubleHonoursScaleAndValidity) {
  const ValueFormat format{};
  EXPECT_DOUBLE_EQ(SensorValue(505, 1, format).toDouble(), 50.5);
  EXPECT_DOUBLE_EQ(SensorValue(-3, 2, format).toDouble(), -0.03);
  EXPECT_DOUBLE_EQ(SensorValue::missing(1, format).toDouble(), 0.0);
}

TEST(TrackedValue, KeepsLatestLargestAndSmallest) {
  TrackedValue<std::int16_t> value;
  for (std::int16_t v : {-5, 7, 3}) value.record(v);
  EXPECT_EQ(value.current(), 3);
  EXPECT_EQ(value.max(), 7);
  EXPECT_EQ(value.min(), -5);
}

TEST(TrackedValue, UnsignedElementsCompareWithoutSign) {
  const ItemSpec item{"X", 0, {0, 6, 0, 0, ""}};
  TrackedValue<std::uint16_t> value;
  value.record(0x8000);
  value.record(5);
  EXPECT_EQ(value.maxValue(item).number(), 32768);
  EXPECT_EQ(value.minValue(item).number(), 5);
}

TEST(TrackedValue, ReadingEqualToTheMarkLooksLikeNoneAndTheNextStartsAfresh) {
  const ItemSpec item{"X", 0, {0, 6, 0, 0, ""}};
  TrackedValue<std::uint16_t> value;
  EXPECT_FALSE(value.currentValue(item).isValid());
  value.record(10);
  value.record(0xFFFF);
  EXPECT_FALSE(value.currentValue(item).isValid());
  value.record(20);
  EXPECT_EQ(value.minValue(item).number(), 20);
  EXPECT_EQ(value.maxValue(item).number(), 20);
}

}  // namespace
}  // namespace trelvox
