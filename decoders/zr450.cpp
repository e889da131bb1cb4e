#include "decoders/zr450.h"

namespace trelvox {
namespace {

constexpr std::uint8_t kValidBit = 0x80;

// A temperature word: second byte high, its bit 7 the validity bit, counted from -100 degrees.
bool hasTemperature(const SensorWords& data, int k) { return (data.low(k) & kValidBit) != 0; }

std::int16_t temperature(const SensorWords& data, int k) {
  return static_cast<std::int16_t>((data.littleEndianValue(k) & 0x7FFF) - 100);
}

}  // namespace

void Zr450Decoder::update() {
  const SensorWords data = words();
  if (hasTemperature(data, 0)) record(kInternalTemperature, temperature(data, 0));
  record(kRotation, std::int32_t{data.littleEndianValue(1)} * 6);
  if (hasTemperature(data, 2)) record(kExternalTemperature, temperature(data, 2));
  // Word 5 brings only the validity bit of the voltage in word 6.
  if ((data.high(5) & kValidBit) != 0) record(kVoltage, static_cast<std::int16_t>(data.value(6)));
}

}  // namespace trelvox
