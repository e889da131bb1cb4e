#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct JetCatProperty {
  // A negative scale counts hundreds or tens: rotation words hold 100 rpm (second shaft: 10 rpm).
  static constexpr std::array<ItemSpec, 13> kItems{{
      {"ROTATION", -2, {0, 7, 0, 0, "rpm"}},
      {"TEMPERATURE", 0, {0, 5, 0, 0, kCelsiusSign}},
      {"PUMP VOLTAGE", 2, {0, 3, 2, 2, "V"}},
      {"SET RPM", -2, {0, 7, 0, 0, "rpm"}},
      {"THRUST", 1, {0, 4, 1, 1, "N"}},
      {"FUEL CONSUMED", 0, {0, 5, 0, 0, "ml"}},
      {"FUEL FLOW", 0, {0, 4, 0, 0, "ml/min"}},
      {"ALTITUDE", 0, {1, 5, 0, 0, "m"}},
      {"FUEL QUALITY", 0, {0, 3, 0, 0, "%"}},
      {"BATTERY VOLTAGE", 2, {0, 3, 2, 2, "V"}},
      {"CURRENT", 1, {0, 3, 1, 1, "A"}},
      {"AIR SPEED", 0, {0, 4, 0, 0, "km/h"}},
      {"SECOND SHAFT RPM", -1, {0, 6, 0, 0, "rpm"}},
  }};

  // Where each item's number comes from: a word of the sensor and the bits of it that count.
  struct Source {
    int word;
    std::uint16_t mask;
  };
  static constexpr std::array<Source, 13> kSources{{
      {0, 0x3FFF},  // the two top bits of word 0 are flags
      {1, 0xFFFF},
      {2, 0xFFFF},
      {3, 0xFFFF},
      {4, 0xFFFF},
      {5, 0xFFFF},
      {6, 0xFFFF},
      {7, 0xFFFF},
      {8, 0x3FFF},
      {9, 0xFFFF},
      {10, 0xFFFF},
      {11, 0xFFFF},
      {13, 0xFFFF},  // word 12 carries nothing shown
  }};
  static constexpr std::uint16_t kValidBit = 0x4000;  // in word 0
};

// The JetCat turbine controller: thirteen readings of engine, fuel and flight, all refreshed
// together when word 0 carries the validity bit.
class JetCatStatus final : public ItemTableSensor<std::uint16_t, 13>, private JetCatProperty {
 public:
  explicit JetCatStatus(const SensorPlace& place) : ItemTableSensor(place, kItems) {}

  int sensorType() const override { return kJetCat; }
  void update() override;
};

}  // namespace trelvox
