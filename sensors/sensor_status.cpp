#include "sensors/sensor_status.h"

#include "sensors/sensor_types.h"

namespace trelvox {

void SensorStatus::currentText(int item, ValueText& text) const {
  writeCurrentText(currentValue(item), text, decimalSeparator());
}

void SensorStatus::rangeText(int item, ValueText& text) const {
  writeRangeText(minValue(item), maxValue(item), text, decimalSeparator());
}

void SensorStatus::writeValues(RowWriter& out) const {
  for (int i = 0; i < itemCount(); ++i) {
    out.textField([&](ValueText& text) { currentText(i, text); });
  }
}

void SensorStatus::writeSlotNumbers(RowWriter& out) const {
  writeSlotNumberFields(out, itemCount());
}

void SensorStatus::writeTypeNames(RowWriter& out) const { writeTypeNameFields(out, itemCount()); }

void SensorStatus::writeItemNames(RowWriter& out) const {
  for (int i = 0; i < itemCount(); ++i) out.field(itemName(i));
}

void SensorStatus::writeSlotNumberFields(RowWriter& out, int count) const {
  for (int i = 0; i < count; ++i) out.field(static_cast<std::uint32_t>(slotNumber()));
}

void SensorStatus::writeTypeNameFields(RowWriter& out, int count) const {
  for (int i = 0; i < count; ++i) out.field(typeName(sensorType()));
}

}  // namespace trelvox
