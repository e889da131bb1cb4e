#include "sensors/receiver.h"

namespace trelvox {

void ReceiverStatus::update() {
  const std::uint16_t w = words().value(0);
  status_ = static_cast<std::uint8_t>(w >> 14);
  if (status_ == 0) return;  // no voltage in this record
  const int item = (w >> 10) & 0x3;
  // Items 2 and 3 name no voltage this receiver has; such a word refreshes the status only.
  if (item < itemCount()) record(item, static_cast<std::int16_t>(w & 0x3FF));
}

void ReceiverStatus::writeValues(RowWriter& out) const {
  SensorStatus::writeValues(out);
  out.field(status_);
}

void ReceiverStatus::writeSlotNumbers(RowWriter& out) const {
  writeSlotNumberFields(out, itemCount() + 1);
}

void ReceiverStatus::writeTypeNames(RowWriter& out) const {
  writeTypeNameFields(out, itemCount() + 1);
}

void ReceiverStatus::writeItemNames(RowWriter& out) const {
  SensorStatus::writeItemNames(out);
  out.field("STATUS");
}

}  // namespace trelvox
