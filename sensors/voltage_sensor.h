#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"
#include "sensors/sensor_types.h"

namespace trelvox {

struct VoltageSensorProperty {
  static constexpr std::array<ItemSpec, 2> kItems{{
      {"BATTERY", 1, {0, 3, 1, 1, "V"}},
      {"EXT. BATT.", 1, {0, 3, 1, 1, "V"}},
  }};
};

// The voltage sensor: a battery and an external battery in tenths of a volt, in two slots. Both
// are refreshed together, gated by the validity bit of the first word; the second word is a signed
// reading of its own. Its range text is a fixed "min/maxV" with '.' whatever the locale.
class VoltageSensorStatus final : public ItemTableSensor<std::int16_t, 2>,
                                  private VoltageSensorProperty {
 public:
  explicit VoltageSensorStatus(const SensorPlace& place) : ItemTableSensor(place, kItems) {}

  int sensorType() const override { return kVoltageSensor; }
  void rangeText(int item, ValueText& text) const override;
  void update() override;
};

}  // namespace trelvox
