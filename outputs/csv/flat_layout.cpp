#include "outputs/csv/flat_layout.h"

#include <algorithm>
#include <map>

#include "outputs/csv/csv_header.h"
#include "outputs/text/reading_text.h"
#include "outputs/text/unit_text.h"
#include "outputs/text/value_text.h"
#include "outputs/text/xml_text.h"

namespace trelvox {
namespace {

// Positions are written in degrees, whatever the unit of the sensor's own text.
std::string unitOf(const Column& column) {
  if (column.shown == Shown::kLatitude || column.shown == Shown::kLongitude) return "\u00B0";
  return unitInUtf8(column.unit);
}

std::string withUnit(std::string name, std::string_view unit) {
  if (!unit.empty()) name.append(" [").append(unit).append("]");
  return name;
}

}  // namespace

std::vector<std::string> flatColumnNames(Decoders decoders) {
  std::vector<std::string> names{"TIME [ms]"};
  for (int k = 1; k <= kChannelCount; ++k) names.push_back("CH" + std::to_string(k));
  // Two sensors of one type would give the same names: each then says its slot.
  std::map<std::string_view, int> sensorsOfType;
  for (const auto& decoder : decoders) ++sensorsOfType[decoder->type().trimmedName()];
  for (const auto& decoder : decoders) {
    std::string sensor(decoder->type().trimmedName());
    if (sensorsOfType[sensor] > 1) {
      sensor.append(" (slot ").append(std::to_string(decoder->firstSlot())).append(")");
    }
    for (const Column& column : decoder->columns()) {
      if (isWritten(column)) names.push_back(withUnit(sensor + " " + column.name, unitOf(column)));
    }
  }
  return names;
}

char* writeFlatColumnValue(char* out, Shown shown, const ColumnValue& value,
                           char decimalSeparator) {
  if (!value.present) return out;
  if (shown != Shown::kLatitude && shown != Shown::kLongitude) {
    return writeColumnValue(out, shown, value);
  }
  char* const end = writeCoordinate(out, static_cast<std::int32_t>(value.number));
  std::replace(out, end, '.', decimalSeparator);
  return end;
}

}  // namespace trelvox
