#pragma once

#include <memory>
#include <vector>

#include "conversion/log_format.h"
#include "decoders/decoder.h"

namespace trelvox {

// The decoders of one conversion, in output order: the receiver at slot 0, then every first slot
// of group 0 in ascending order whose type has a decoder. Group 1 is not decoded. Each decoder
// reads `words`, which the record loop refills for every record.
std::vector<std::unique_ptr<Decoder>> decodersFor(const SlotMap& map, SlotWords words);

}  // namespace trelvox
