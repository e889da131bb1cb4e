#include "outputs/summary/flight_summary.h"

#include <string_view>

#include "decoders/receiver.h"

namespace trelvox {
namespace {

constexpr int kReceiverSlot = 0;
constexpr std::string_view kReceiverBattery = "BATTERY";

bool hasColumn(const Decoder& decoder, Shown shown) {
  for (const Column& column : decoder.columns()) {
    if (column.shown == shown) return true;
  }
  return false;
}

// Calls f(decoder, item, column) for every item of every decoder, in column order.
template <typename F>
void forEachItem(Decoders decoders, F f) {
  for (const auto& decoder : decoders) {
    const auto columns = decoder->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (isItem(columns[i].shown)) f(*decoder, static_cast<int>(i), columns[i]);
    }
  }
}

// `unitDigits` moves the decimal point from the item's unit to the fact's (3 from Ah to mAh): a
// factor would make 2.01 Ah 2009.9999999999998 mAh.
FlightFact factOf(const Decoder& decoder, int item, Reading reading, int unitDigits = 0) {
  Reading inFactUnit = reading;
  inFactUnit.scale = static_cast<std::int8_t>(reading.scale - unitDigits);
  return {reading, inFactUnit.value(), &decoder.columns()[static_cast<std::size_t>(item)],
          &decoder.type(), decoder.firstSlot()};
}

// The largest reading of the first item with readings that `wanted` accepts.
template <typename Wanted>
std::optional<FlightFact> firstLargest(Decoders decoders, Wanted wanted) {
  std::optional<FlightFact> fact;
  forEachItem(decoders, [&](const Decoder& decoder, int item, const Column& column) {
    if (!fact && wanted(decoder, column) && decoder.largest(item).present) {
      fact = factOf(decoder, item, decoder.largest(item));
    }
  });
  return fact;
}

// The highest reading over all items that measure `quantity`.
std::optional<FlightFact> highest(Decoders decoders, Quantity quantity) {
  std::optional<FlightFact> fact;
  forEachItem(decoders, [&](const Decoder& decoder, int item, const Column& column) {
    const Reading largest = decoder.largest(item);
    if (column.quantity != quantity || !largest.present) return;
    if (!fact || largest.value() > fact->value) fact = factOf(decoder, item, largest);
  });
  return fact;
}

std::optional<FlightFact> capacityUsed(Decoders decoders) {
  std::optional<FlightFact> fact;
  forEachItem(decoders, [&](const Decoder& decoder, int item, const Column& column) {
    if (fact || column.quantity != Quantity::kCapacity || !decoder.largest(item).present) return;
    const std::string_view unit = column.unit;
    if (unit == "mAh") fact = factOf(decoder, item, decoder.largest(item));
    if (unit == "Ah") fact = factOf(decoder, item, decoder.largest(item), 3);
  });
  return fact;
}

std::optional<FlightFact> lowestReceiverVoltage(Decoders decoders) {
  std::optional<FlightFact> fact;
  forEachItem(decoders, [&](const Decoder& decoder, int item, const Column& column) {
    if (decoder.type().id == kReceiverTypeId && decoder.firstSlot() == kReceiverSlot &&
        column.name == kReceiverBattery && decoder.smallest(item).present) {
      fact = factOf(decoder, item, decoder.smallest(item));
    }
  });
  return fact;
}

bool measures(const Column& column, Quantity quantity, std::string_view unit) {
  return column.quantity == quantity && column.unit == unit;
}

std::array<std::optional<FlightFact>, kFactKinds> flightFacts(Decoders decoders) {
  std::array<std::optional<FlightFact>, kFactKinds> facts;
  auto set = [&facts](FactKind kind, std::optional<FlightFact> fact) {
    facts[static_cast<std::size_t>(kind)] = fact;
  };
  set(FactKind::kMaxHeight, firstLargest(decoders, [](const Decoder&, const Column& column) {
        return measures(column, Quantity::kHeight, "m");
      }));
  set(FactKind::kMaxDistance, firstLargest(decoders, [](const Decoder&, const Column& column) {
        return measures(column, Quantity::kDistance, "m");
      }));
  // Ground speed is the speed of a sensor that knows where it is, not an air speed.
  set(FactKind::kMaxGroundSpeed,
      firstLargest(decoders, [](const Decoder& decoder, const Column& column) {
        return measures(column, Quantity::kSpeed, "km/h") && hasColumn(decoder, Shown::kLatitude);
      }));
  set(FactKind::kMinReceiverVoltage, lowestReceiverVoltage(decoders));
  set(FactKind::kMaxCurrent, highest(decoders, Quantity::kCurrent));
  set(FactKind::kCapacityUsed, capacityUsed(decoders));
  set(FactKind::kMaxTemperature, highest(decoders, Quantity::kTemperature));
  return facts;
}

}  // namespace

void FlightSummaryOutput::start(Decoders decoders) {
  decoders_ = decoders;
  flights_.start(decoders);
  for (const auto& decoder : decoders) {
    if (hasColumn(*decoder, Shown::kTimeOfDay)) clockSensors_.push_back(decoder.get());
  }
}

void FlightSummaryOutput::record(const DataRecord& record) {
  followClock(record.time());
  flights_.record(record);
  if (!summary_.firstUtcSecondsOfDay) noteUtcStart();
}

// Any sensor's time will do: a first GPS without a fix gives none while a second one does. A log
// begun shortly before midnight whose first time is just after it began the evening before.
void FlightSummaryOutput::noteUtcStart() {
  for (const Decoder* sensor : clockSensors_) {
    if (const std::optional<std::uint32_t> seconds = sensor->utcSecondsOfDay()) {
      constexpr std::int64_t kDay = kSecondsPerDay;
      const auto run = static_cast<std::int64_t>(summary_.clock.duration / kTimeUnitsPerSecond);
      const std::int64_t start = (*seconds - run) % kDay;
      summary_.firstUtcSecondsOfDay = seconds;
      summary_.utcSecondsOfDayAtStart =
          static_cast<std::uint32_t>(start < 0 ? start + kDay : start);
      return;
    }
  }
}

void FlightSummaryOutput::followClock(std::uint32_t time) {
  ClockFacts& clock = summary_.clock;
  clock_.advance(time);
  if (!clock.first) clock.first = time;
  const std::int64_t step = clock_.step();
  if (step < 0) ++clock.backwards;
  if (step > kTimeUnitsPerSecond) ++clock.stepsOverOneSecond;
  if (step > clock.longestStep) clock.longestStep = static_cast<std::uint32_t>(step);
  clock.duration = clock_.now().elapsed;
}

void FlightSummaryOutput::end(const LogTotals& totals) {
  summary_.totals = totals;
  summary_.sensors.clear();
  for (const auto& decoder : decoders_) {
    SensorSummary& sensor =
        summary_.sensors.emplace_back(SensorSummary{&decoder->type(), decoder->firstSlot(), {}});
    forEachItem(Decoders(&decoder, 1), [&sensor](const Decoder& d, int item, const Column& column) {
      sensor.items.push_back({&column, d.smallest(item), d.largest(item), d.current(item)});
    });
  }
  summary_.facts = flightFacts(decoders_);
  flights_.end(totals);
  summary_.flights = flights_.flights();
}

}  // namespace trelvox
