#pragma once

#include <array>
#include <cstdint>

#include "decoders/decoder.h"
#include "decoders/reference_altitude.h"

namespace trelvox {

namespace nav60 {

constexpr Column temperatureColumn(const char* name) {
  return {.name = name,
          .unit = kCelsiusSign,
          .quantity = Quantity::kTemperature,
          .format = {.width = 4}};
}
constexpr Column revolutionColumn(const char* name) {
  return {.name = name,
          .unit = "rpm",
          .quantity = Quantity::kRotation,
          .element = Element::kUnsigned32,
          .format = {.width = 6}};
}
constexpr Column percentColumn(const char* name, Quantity quantity) {
  return {.name = name,
          .unit = "%",
          .quantity = quantity,
          .element = Element::kUnsigned16,
          .format = {.width = 4}};
}
constexpr Column voltageColumn(const char* name) {
  return {.name = name,
          .unit = "V",
          .quantity = Quantity::kVoltage,
          .element = Element::kUnsigned16,
          .scale = 1,
          .format = {.width = 3, .decimals = 1}};
}
constexpr Column currentColumn(const char* name) {
  return {.name = name,
          .unit = "A",
          .quantity = Quantity::kCurrent,
          .scale = 1,
          .format = {.width = 5, .decimals = 1}};
}

}  // namespace nav60

// The NAV-60 avionics unit over 16 slots, one item per word: two temperatures, three rotation
// speeds, two voltages and currents, two fuel levels, altitude, air pressure, power, throttle and
// an alarm word. Bit 15 of the first word says whether the record carries NAV-60 data. ALTITUDE is
// the height above the unit's altitude in the first record that carries data. A rotation word
// counts steps of 6 rpm, so the speeds need 32 bits; so does the altitude, a difference of two
// 16-bit heights.
class Nav60Decoder final : public ItemDecoder<16> {
 public:
  static constexpr std::array<Column, 16> kColumns{{
      nav60::temperatureColumn("TEMPERATURE1"),
      nav60::temperatureColumn("TEMPERATURE2"),
      nav60::revolutionColumn("REVOLUTION1"),
      nav60::revolutionColumn("REVOLUTION2"),
      nav60::revolutionColumn("REVOLUTION3"),
      nav60::voltageColumn("VOLTAGE1"),
      nav60::voltageColumn("VOLTAGE2"),
      nav60::currentColumn("CURRENT1"),
      nav60::currentColumn("CURRENT2"),
      nav60::percentColumn("FUEL", Quantity::kFuel),
      {.name = "ALTITUDE",
       .unit = "m",
       .quantity = Quantity::kHeight,
       .element = Element::kSigned32,
       .scale = 1,
       .format = {.width = 5, .decimals = 1}},
      {.name = "PRESSURE",
       .unit = "hPa",
       .quantity = Quantity::kPressure,
       .element = Element::kUnsigned16,
       .scale = 1,
       .format = {.width = 4, .decimals = 1}},
      {.name = "POWER", .unit = "W", .quantity = Quantity::kPower, .format = {.width = 5}},
      nav60::percentColumn("FUEL2", Quantity::kFuel),
      nav60::percentColumn("THROTTLE", Quantity::kPercent),
      {.name = "ALARM",
       .quantity = Quantity::kStatus,
       .element = Element::kUnsigned16,
       .format = {.width = 5}},
  }};

  explicit Nav60Decoder(const DecoderPlace& place) : ItemDecoder(place, kColumns) {}
  void update() override;

 private:
  ReferenceAltitude<std::int32_t> referenceAltitude_;
};

}  // namespace trelvox
