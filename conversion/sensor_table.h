#pragma once

#include <memory>
#include <vector>

#include "conversion/log_format.h"
#include "sensors/sensor_status.h"
#include "sensors/separators.h"

namespace trelvox {

// The decoders of one conversion, in output order: the receiver at slot 0, then every first slot
// of group 0 in ascending order whose type has a decoder. Group 1 is not decoded.
class SensorTable {
 public:
  SensorTable(const SlotMap& map, SlotWords words, char decimalSeparator);

  auto begin() const { return sensors_.begin(); }
  auto end() const { return sensors_.end(); }
  std::size_t size() const { return sensors_.size(); }

 private:
  std::vector<std::unique_ptr<SensorStatus>> sensors_;
};

}  // namespace trelvox
