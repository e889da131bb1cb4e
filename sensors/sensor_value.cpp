#include "sensors/sensor_value.h"

#include <algorithm>
#include <array>

namespace trelvox {
namespace {

constexpr std::array<std::int64_t, 10> kPowersOfTen{
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};

// Scales outside 0..9 never occur in the item tables; clamping keeps a stray one harmless.
std::int64_t powerOfTen(int exponent) {
  if (exponent < 0) return 1;
  if (exponent > 9) return kPowersOfTen[9];
  return kPowersOfTen[static_cast<std::size_t>(exponent)];
}

std::uint64_t magnitude(std::int64_t n) {
  return n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
}

struct WholeAndFraction {
  std::uint64_t whole;
  std::uint64_t fraction;
};

// Splits a magnitude at its decimal point. The scales in use get divisions by constants, which
// cost a multiplication instead of a division on every field of every row.
WholeAndFraction splitAtScale(std::uint64_t magnitude, int scale) {
  switch (scale) {
    case 0:
      return {magnitude, 0};
    case 1:
      return {magnitude / 10, magnitude % 10};
    case 2:
      return {magnitude / 100, magnitude % 100};
    default:
      if (scale < 0) return {magnitude * static_cast<std::uint64_t>(powerOfTen(-scale)), 0};
      const auto divisor = static_cast<std::uint64_t>(powerOfTen(scale));
      return {magnitude / divisor, magnitude % divisor};
  }
}

// Appends the first `count` digits of `fraction` written with `scale` digits (leading zeros).
void appendFractionDigits(std::uint64_t fraction, int scale, int count, ValueText& text) {
  if (count <= 0) return;
  if (scale == 1) return text.append(static_cast<char>('0' + fraction));
  if (scale == 2) {
    text.append(static_cast<char>('0' + fraction / 10));
    if (count == 2) text.append(static_cast<char>('0' + fraction % 10));
    return;
  }
  text.appendNumber(fraction / static_cast<std::uint64_t>(powerOfTen(scale - count)), count);
}

char signCharacter(std::int64_t number, std::uint8_t signMode) {
  if (number < 0) return '-';
  if (signMode == 2 && number > 0) return '+';
  return ' ';
}

}  // namespace

const ValueFormat SensorValue::kDefaultFormat{};

double SensorValue::toDouble() const {
  if (!valid_) return 0.0;
  if (scale_ < 0) return static_cast<double>(number_) * static_cast<double>(powerOfTen(-scale_));
  return static_cast<double>(number_) / static_cast<double>(powerOfTen(scale_));
}

void SensorValue::toText(ValueText& text, char decimalSeparator) const {
  const ValueFormat& format = *format_;
  const auto [whole, fraction] = splitAtScale(magnitude(number_), scale_);
  std::array<char, kMaxDecimalDigits> buffer;
  const std::string_view digits = formatDecimal(whole, buffer);
  // A blank sign position is only padding: it goes when the digits need the room.
  const char sign = signCharacter(number_, format.signMode);
  const bool showSign = sign != ' ';
  text.appendRepeated(' ', format.width - static_cast<int>(digits.size()) - (showSign ? 1 : 0));
  if (showSign) text.append(sign);
  text.append(digits);

  if (format.decimals == 0) return;
  text.append(decimalSeparator);
  // The first `decimals` of the scale's fraction digits; any further ones are zeros.
  const int shown = std::min<int>(format.decimals, std::max(scale_, 0));
  appendFractionDigits(fraction, scale_, shown, text);
  text.appendRepeated('0', format.decimals - shown);
}

void writeCurrentText(const SensorValue& value, ValueText& text, char decimalSeparator) {
  text.clear();
  if (!value.isValid()) return writeNoValue(text);
  value.toText(text, decimalSeparator);
}

void writeRangeText(const SensorValue& lowest, const SensorValue& highest, ValueText& text,
                    char decimalSeparator) {
  text.clear();
  if (!highest.isValid()) return writeNoValue(text);
  lowest.toText(text, decimalSeparator);
  text.append('/');
  highest.toText(text, decimalSeparator);
}

}  // namespace trelvox
