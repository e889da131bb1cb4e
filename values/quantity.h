#pragma once

#include <cstdint>
#include <string_view>

namespace trelvox {

// What an item measures, so that outputs can group and pick readings without knowing sensors.
enum class Quantity : std::uint8_t {
  kVoltage,
  kCurrent,
  kCapacity,
  kTemperature,
  kRotation,
  kSpeed,
  kHeight,
  kClimb,
  kDistance,
  kPressure,
  kPower,
  kPercent,
  kFuel,
  kDuration,
  kStatus,
  kOther,
};

// The quantity's lower-case English name ("voltage", ...), as machine-readable outputs key it.
constexpr std::string_view quantityName(Quantity quantity) {
  constexpr std::string_view kNames[] = {
      "voltage",  "current",  "capacity", "temperature", "rotation", "speed",    "height", "climb",
      "distance", "pressure", "power",    "percent",     "fuel",     "duration", "status", "other"};
  return kNames[static_cast<std::uint8_t>(quantity)];
}

}  // namespace trelvox
