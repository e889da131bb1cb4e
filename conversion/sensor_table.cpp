#include "conversion/sensor_table.h"

#include "conversion/sensor_factory.h"
#include "sensors/sensor_types.h"

namespace trelvox {

SensorTable::SensorTable(const SlotMap& map, SlotWords words, char decimalSeparator) {
  constexpr int kGroup = 0;
  // Slot 0 always carries the receiver, whatever its entry says.
  sensors_.push_back(createSensor(kReceiver, SensorPlace{words, 0, false, decimalSeparator}));
  for (int slot = 1; slot < kSlotsPerGroup; ++slot) {
    const int typeId = map.typeId(kGroup, slot);
    if (typeId == kReceiver || !map.isFirstSlot(kGroup, slot)) continue;
    auto sensor = createSensor(typeId, SensorPlace{words, slot, false, decimalSeparator});
    if (sensor) sensors_.push_back(std::move(sensor));
  }
}

}  // namespace trelvox
