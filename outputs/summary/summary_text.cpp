#include "outputs/summary/summary_text.h"

#include "outputs/text/reading_text.h"
#include "outputs/text/unit_text.h"

namespace trelvox {
namespace {

// A reading in its item's format without the padding, and its unit.
std::string readingText(const Reading& reading, const Column& column, char decimalSeparator) {
  std::string result = unpaddedReadingText(reading, column.format, decimalSeparator);
  const std::string unit = unitInUtf8(column.unit);
  if (reading.present && !unit.empty()) result += " " + unit;
  return result;
}

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
              readingText(item.smallest, column, decimal) + ", " + std::string(labels.largest) +
              " " + readingText(item.largest, column, decimal) + ", " + std::string(labels.last) +
              " " + readingText(item.last, column, decimal) + "\n";
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
               readingText(fact->reading, *fact->column, decimal) + " (" +
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

std::string withoutTrailingBlanks(std::string_view text) {
  return std::string(text.substr(0, text.find_last_not_of(' ') + 1));
}

// A limit as the pilot wrote it, with its unit.
std::string limitText(const Reading& limit, const Column& item, char decimalSeparator) {
  std::string result = limitValueText(limit, decimalSeparator);
  const std::string unit = unitInUtf8(item.unit);
  if (!unit.empty()) result.append(" ").append(unit);
  return result;
}

// A severity in the words of the verdict of the same colour.
std::string_view severityText(Severity severity, const HealthLabels& labels) {
  const HealthVerdict colour =
      severity == Severity::kRed ? HealthVerdict::kRed : HealthVerdict::kAmber;
  return labels.verdicts[static_cast<std::size_t>(colour)];
}

std::string spanText(const HealthEvent& event, char decimalSeparator) {
  std::string text = durationText(event.startMs, decimalSeparator);
  if (event.endMs != event.startMs) {
    text.append("–").append(durationText(event.endMs, decimalSeparator));
  }
  return text;
}

// "RECEIVER BATTERY below 4.4 V (amber 4.8 V): lowest 4.2 V": the threshold the event crossed,
// the other one in brackets.
std::string limitEventText(const HealthEvent& event, const HealthLabels& labels, char decimal) {
  const Column& item = *event.item;
  const bool red = event.severity == Severity::kRed;
  const Reading& crossed = red ? *event.thresholds.red : event.thresholds.amber;
  const std::optional<Reading> other = red ? event.thresholds.amber : event.thresholds.red;
  const auto direction = static_cast<std::size_t>(event.direction);
  std::string text = withoutTrailingBlanks(event.sensor->name);
  text.append(" ").append(item.name).append(" ").append(labels.directions[direction]);
  text.append(" ").append(limitText(crossed, item, decimal));
  if (other || event.cells > 1) {
    text.append(" (");
    if (other) {
      text.append(severityText(red ? Severity::kAmber : Severity::kRed, labels)).append(" ");
      text.append(limitText(*other, item, decimal));
      if (event.cells > 1) text.append(", ");
    }
    if (event.cells > 1) text.append(std::to_string(event.cells)).append(" ").append(labels.cells);
    text.append(")");
  }
  return text.append(": ")
      .append(labels.worst[direction])
      .append(" ")
      .append(readingText(event.worstReading, item, decimal));
}

std::string logEventText(const HealthEvent& event, const HealthLabels& labels, char decimal) {
  std::string text(labels.checks[static_cast<std::size_t>(event.check.logCheck)]);
  switch (event.check.logCheck) {
    case LogCheck::kGap:
      return text.append(": ")
          .append(std::to_string(event.worstCount))
          .append(" ")
          .append(kTimeUnitName);
    case LogCheck::kCutShort:
      return text.append(": ")
          .append(std::to_string(event.worstCount))
          .append(" ")
          .append(labels.bytes);
    case LogCheck::kGpsFixLost:
      return text.append(": ").append(withoutTrailingBlanks(event.sensor->name));
    case LogCheck::kEndsInAir:
      return text.append(": ")
          .append(withoutTrailingBlanks(event.sensor->name))
          .append(" ")
          .append(event.item->name)
          .append(" ")
          .append(readingText(event.worstReading, *event.item, decimal));
    case LogCheck::kClockBack:
      break;
  }
  return text;
}

void appendNotChecked(const HealthReport& health, const HealthLabels& labels, std::string& text) {
  if (health.notChecked.empty()) return;
  std::string checks;
  for (const LogCheck check : health.notChecked) {
    if (!checks.empty()) checks += ", ";
    checks += labels.checks[static_cast<std::size_t>(check)];
  }
  appendLine(labels.notChecked, checks, text);
}

std::string andMoreText(std::size_t count, std::string_view pattern) {
  constexpr std::string_view kCount = "{count}";
  std::string text(pattern);
  const std::size_t at = text.find(kCount);
  if (at != std::string::npos) text.replace(at, kCount.size(), std::to_string(count));
  return text;
}

}  // namespace

std::string healthEventText(const HealthEvent& event, const HealthLabels& labels,
                            char decimalSeparator) {
  std::string text = spanText(event, decimalSeparator);
  text.append("  ").append(severityText(event.severity, labels)).append("  ");
  return text.append(event.check.isLimit ? limitEventText(event, labels, decimalSeparator)
                                         : logEventText(event, labels, decimalSeparator));
}

std::string healthText(const HealthReport& health, const HealthLabels& labels,
                       char decimalSeparator) {
  std::string text(labels.health);
  text += "\n";
  appendLine(labels.verdict, std::string(labels.verdicts[static_cast<std::size_t>(health.verdict)]),
             text);
  appendLine(labels.events, std::to_string(health.events.size()), text);
  appendLine(labels.limitsFile,
             health.limitsFile ? *health.limitsFile : std::string(labels.noLimitsFile), text);
  appendNotChecked(health, labels, text);
  const std::size_t shown = std::min(health.events.size(), kHealthEventLines);
  for (std::size_t e = 0; e < shown; ++e) {
    text.append("  ").append(healthEventText(health.events[e], labels, decimalSeparator)) += "\n";
  }
  if (health.events.size() > shown) {
    text.append("  ").append(andMoreText(health.events.size() - shown, labels.andMore)) += "\n";
  }
  return text;
}

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

std::string limitValueText(const Reading& limit, char decimalSeparator) {
  const auto decimals = static_cast<std::uint8_t>(limit.scale > 0 ? limit.scale : 0);
  return unpaddedReadingText(limit, {.width = 1, .decimals = decimals}, decimalSeparator);
}

std::string durationText(std::uint64_t timeUnits, char decimalSeparator) {
  constexpr std::uint64_t kUnitsPerTenth = kTimeUnitsPerSecond / 10;
  const std::uint64_t tenths = (timeUnits + kUnitsPerTenth / 2) / kUnitsPerTenth;
  ValueText text;
  text.appendNumber(tenths / 36000);
  text.append(':');
  text.appendNumber(tenths / 600 % 60, 2);
  text.append(':');
  text.appendNumber(tenths / 10 % 60, 2);
  text.append(decimalSeparator);
  text.appendNumber(tenths % 10);
  return std::string(text.view());
}

}  // namespace trelvox
