#include "decoders/decoder.h"

namespace trelvox {

Decoder::Decoder(const DecoderPlace& place, std::span<const Column> columns,
                 std::span<TrackedReading> readings)
    : place_(place), columns_(columns), readings_(readings) {}

void Decoder::columnValue(int, ColumnValue& value) const { value = {}; }

Reading Decoder::readingOf(int item, std::int64_t number) const {
  if (number == tracked(item).mark) return {.scale = columns_[index(item)].scale};
  return {.number = number, .scale = columns_[index(item)].scale, .present = true};
}

}  // namespace trelvox
