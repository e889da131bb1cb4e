#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decoders/decoder.h"

namespace trelvox {

// The report's summary table, worked out here from the decoders' readings until the shared flight
// summary takes its place: every item of every sensor with its smallest, largest and last reading
// in the item's own format (with a decimal point, padding dropped) and its unit.
struct InterimSummaryRow {
  std::size_t sensor;  // index of the decoder
  std::string_view name;
  std::string unit;  // UTF-8
  // Absent when the item never had a reading.
  std::optional<std::string> smallest;
  std::optional<std::string> largest;
  std::optional<std::string> last;
};

std::vector<InterimSummaryRow> interimSummary(Decoders decoders);

}  // namespace trelvox
