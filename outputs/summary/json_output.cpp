#include "outputs/summary/json_output.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "outputs/text/decimal_text.h"
#include "outputs/text/unit_text.h"

namespace trelvox {
namespace {

using nlohmann::ordered_json;

// The decoders read group 0 only.
constexpr int kDecodedGroup = 0;

// A number as the logbook writes it (decimalText), which JSON reads as the same number.
ordered_json numberOf(double value) {
  if (!std::isfinite(value)) return nullptr;
  return ordered_json::parse(decimalText(value));
}

ordered_json readingOf(const Reading& reading) {
  return reading.present ? numberOf(reading.value()) : ordered_json(nullptr);
}

ordered_json clockOf(const ClockFacts& clock) {
  return {{"unit", kTimeUnitName},
          {"first", clock.first ? ordered_json(*clock.first) : ordered_json(nullptr)},
          {"duration", clock.duration},
          {"steps_over_1s", clock.stepsOverOneSecond},
          {"longest_step", clock.longestStep},
          {"backwards", clock.backwards}};
}

ordered_json sensorOf(const SensorSummary& sensor) {
  ordered_json items = ordered_json::array();
  for (const ItemSummary& item : sensor.items) {
    items.push_back({{"name", item.column->name},
                     {"unit", unitInUtf8(item.column->unit)},
                     {"quantity", quantityName(item.column->quantity)},
                     {"min", readingOf(item.smallest)},
                     {"max", readingOf(item.largest)},
                     {"last", readingOf(item.last)}});
  }
  return {{"slot", sensor.firstSlot},    {"group", kDecodedGroup},
          {"type_id", sensor.type->id},  {"type_name", sensor.type->name},
          {"slots", sensor.type->slots}, {"items", std::move(items)}};
}

ordered_json thresholdOf(const std::optional<Reading>& value) {
  return value ? readingOf(*value) : ordered_json(nullptr);
}

// The keys every event has, then those of the parts it has.
ordered_json eventOf(const HealthEvent& event) {
  ordered_json json = {{"check", event.check},
                       {"severity", severityName(event.severity)},
                       {"start_ms", event.start.time},
                       {"end_ms", event.end.time}};
  if (event.sensor) {
    json["slot"] = event.slot;
    json["type_name"] = event.sensor->name;
  }
  if (event.item) json["item"] = event.item->name;
  if (event.limit) {
    json["direction"] = directionName(event.limit->direction);
    json["amber"] = readingOf(event.limit->thresholds.amber);
    json["red"] = thresholdOf(event.limit->thresholds.red);
    json["cells"] = event.limit->cells;
  }
  if (event.item) {
    json["worst"] = readingOf(event.worstReading);
  } else if (event.count) {
    json["worst"] = event.count->number;
  }
  return json;
}

ordered_json healthOf(const HealthReport& health) {
  ordered_json notChecked = ordered_json::array();
  for (const std::string_view check : health.notChecked) notChecked.push_back(check);
  ordered_json events = ordered_json::array();
  for (const HealthEvent& event : health.events) events.push_back(eventOf(event));
  return {
      {"verdict", verdictName(health.verdict)},
      {"limits_file", health.limitsFile ? ordered_json(*health.limitsFile) : ordered_json(nullptr)},
      {"not_checked", std::move(notChecked)},
      {"events", std::move(events)}};
}

// The flights within the log; null without a height or a speed to tell them by.
ordered_json flightsOf(const std::optional<Flights>& flights) {
  if (!flights) return nullptr;
  ordered_json spans = ordered_json::array();
  for (const FlightSpan& span : flights->spans) {
    spans.push_back({{"start_ms", span.startMs}, {"end_ms", span.endMs}});
  }
  return {{"count", flights->count()},
          {"air_time_s", numberOf(static_cast<double>(flights->airTimeMs()) / kTimeUnitsPerSecond)},
          {"spans", std::move(spans)}};
}

}  // namespace

std::string jsonText(const FlightSummary& summary, const HealthReport& health,
                     const JsonNames& names) {
  ordered_json sensors = ordered_json::array();
  for (const SensorSummary& sensor : summary.sensors) sensors.push_back(sensorOf(sensor));
  ordered_json flight = ordered_json::object();
  ordered_json flightSensors = ordered_json::object();
  for (std::size_t k = 0; k < kFactKinds; ++k) {
    const std::optional<FlightFact>& fact = summary.facts[k];
    if (!fact) continue;
    const std::string key(factKey(static_cast<FactKind>(k)));
    flight[key] = numberOf(fact->value);
    flightSensors[key] = {
        {"slot", fact->firstSlot}, {"type_name", fact->sensor->name}, {"item", fact->column->name}};
  }
  const ordered_json document = {{"trelvox", names.version},
                                 {"data_file", names.dataFile},
                                 {"info_file", names.infoFile},
                                 {"model", names.model},
                                 {"records", summary.totals.records},
                                 {"trailing_bytes", summary.totals.trailingBytes},
                                 {"time", clockOf(summary.clock)},
                                 {"sensors", std::move(sensors)},
                                 {"flight", std::move(flight)},
                                 {"flight_sensors", std::move(flightSensors)},
                                 {"flights", flightsOf(summary.flights)},
                                 {"health", healthOf(health)}};
  // Names from the file system that are not valid UTF-8 keep their valid parts.
  return document.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace trelvox
