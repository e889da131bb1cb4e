#pragma once

#include <array>
#include <cstdint>

#include "sensors/sensor_status.h"

namespace trelvox {

struct ReceiverProperty {
  static constexpr std::array<ItemSpec, 2> kItems{{
      {"BATTERY", 1, {0, 3, 1, 1, "V"}},
      {"EXTERNAL BATTERY", 1, {0, 3, 1, 1, "V"}},
  }};
};

// The receiver's report on itself, always at slot 0: each word brings one of two voltages, named by
// its item bits, plus the receiver's two-bit status. The status is a third column of its own.
class ReceiverStatus final : public ItemTableSensor<std::int16_t, 2>, private ReceiverProperty {
 public:
  explicit ReceiverStatus(const SensorPlace& place) : ItemTableSensor(place, kItems) {}

  int sensorType() const override { return 0; }
  void writeValues(RowWriter& out) const override;
  void writeSlotNumbers(RowWriter& out) const override;
  void writeTypeNames(RowWriter& out) const override;
  void writeItemNames(RowWriter& out) const override;
  void update() override;

 private:
  std::uint8_t status_ = 0;
};

}  // namespace trelvox
