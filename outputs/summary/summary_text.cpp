#include "outputs/summary/summary_text.h"

#include "outputs/text/date_text.h"
#include "outputs/text/reading_text.h"
#include "outputs/text/unit_text.h"

namespace trelvox {
namespace {

std::string sensorName(const DecoderType& type, int firstSlot, const SummaryLabels& labels) {
  return std::string(labels.slot) + " " + std::to_string(firstSlot) + " " + std::string(type.name);
}

void appendSensors(const FlightSummary& summary, const SummaryLabels& labels, char decimal,
                   std::string& text) {
  for (const SensorSummary& sensor : summary.sensors) {
    text += sensorName(*sensor.type, sensor.firstSlot, labels) + "\n";
    for (const ItemSummary& item : sensor.items) {
      const Column& column = *item.column;
      text += "  " + std::string(column.name) + ": " + std::string(labels.smallest) + " " +
              unpaddedReadingText(item.smallest, column, decimal) + ", " +
              std::string(labels.largest) + " " +
              unpaddedReadingText(item.largest, column, decimal) + ", " + std::string(labels.last) +
              " " + unpaddedReadingText(item.last, column, decimal) + "\n";
    }
  }
}

void appendLine(std::string_view label, const std::string& value, std::string& text) {
  text += "  " + std::string(label) + ": " + value + "\n";
}

void appendClock(const FlightSummary& summary, const SummaryLabels& labels, char decimal,
                 std::string& text) {
  const ClockFacts& clock = summary.clock;
  const std::string unit(kTimeUnitName);
  appendLine(labels.records, std::to_string(summary.totals.records), text);
  appendLine(labels.duration, durationText(clock.duration, decimal), text);
  appendLine(labels.stepsOverOneSecond,
             std::to_string(clock.stepsOverOneSecond) + " (" + std::string(labels.longestStep) +
                 " " + std::to_string(clock.longestStep) + " " + unit + ")",
             text);
  appendLine(labels.backwards, std::to_string(clock.backwards), text);
  appendLine(labels.trailingBytes, std::to_string(summary.totals.trailingBytes), text);
}

void appendFacts(const FlightSummary& summary, const SummaryLabels& labels, char decimal,
                 std::string& text) {
  for (std::size_t k = 0; k < kFactKinds; ++k) {
    const std::optional<FlightFact>& fact = summary.facts[k];
    if (!fact) continue;
    appendLine(labels.facts[k],
               unpaddedReadingText(fact->reading, *fact->column, decimal) + " (" +
                   sensorName(*fact->sensor, fact->firstSlot, labels) + ", " + fact->column->name +
                   ")",
               text);
  }
}

// "Flights: 2, air time 0:03:12": the air time to the nearest second.
void appendFlights(const FlightSummary& summary, const SummaryLabels& labels, std::string& text) {
  if (!summary.flights) return;
  const std::uint64_t seconds =
      (summary.flights->airTimeMs() + kTimeUnitsPerSecond / 2) / kTimeUnitsPerSecond;
  ValueText airTime;
  airTime.appendNumber(seconds / 3600);
  airTime.append(':');
  airTime.appendNumber(seconds / 60 % 60, 2);
  airTime.append(':');
  airTime.appendNumber(seconds % 60, 2);
  appendLine(labels.flights,
             std::to_string(summary.flights->count()) + ", " + std::string(labels.airTime) + " " +
                 std::string(airTime.view()),
             text);
}

}  // namespace

std::string summaryText(const FlightSummary& summary, const SummaryLabels& labels,
                        char decimalSeparator) {
  std::string text;
  appendSensors(summary, labels, decimalSeparator, text);
  text += std::string(labels.flight) + "\n";
  appendClock(summary, labels, decimalSeparator, text);
  appendFacts(summary, labels, decimalSeparator, text);
  appendFlights(summary, labels, text);
  return text;
}

}  // namespace trelvox
