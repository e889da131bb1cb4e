#include "outputs/health/health_text.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "outputs/text/date_text.h"
#include "outputs/text/reading_text.h"
#include "outputs/text/unit_text.h"

namespace trelvox {
namespace {

void appendLine(std::string_view label, std::string_view value, std::string& text) {
  text.append("  ").append(label).append(": ").append(value) += "\n";
}

// `pattern` with each "{name}" replaced by its value.
std::string filled(std::string_view pattern,
                   std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
  std::string text(pattern);
  for (const auto& [name, value] : values) {
    const std::string key = std::string("{").append(name) + "}";
    const std::size_t at = text.find(key);
    if (at != std::string::npos) text.replace(at, key.size(), value);
  }
  return text;
}

// A limit as the pilot wrote it, with its unit.
std::string limitText(const Reading& limit, const Column& item, const HealthLabels& labels,
                      char decimalSeparator) {
  std::string result = limitValueText(limit, decimalSeparator);
  const std::string unit = unitInUtf8(item.unit);
  if (!unit.empty()) result.append(labels.unitSpace).append(unit);
  return result;
}

// A severity in the words of the verdict of the same colour.
std::string_view severityText(Severity severity, const HealthLabels& labels) {
  const HealthVerdict colour =
      severity == Severity::kRed ? HealthVerdict::kRed : HealthVerdict::kAmber;
  return labels.verdicts[static_cast<std::size_t>(colour)];
}

std::string spanText(const HealthEvent& event, char decimalSeparator) {
  std::string text = clockText(event.start.time, decimalSeparator);
  if (event.end.time != event.start.time) {
    text.append("–").append(clockText(event.end.time, decimalSeparator));
  }
  return text;
}

// "RECEIVER BATTERY below 4.4 V (amber 4.8 V): lowest 4.2 V": the threshold the event crossed,
// the other one and the cells aside.
std::string limitEventText(const HealthEvent& event, const LimitCrossing& limit,
                           const HealthLabels& labels, char decimal) {
  const Column& item = *event.item;
  const bool red = event.severity == Severity::kRed;
  const Reading& crossed = red ? *limit.thresholds.red : limit.thresholds.amber;
  const std::optional<Reading> other = red ? limit.thresholds.amber : limit.thresholds.red;
  const auto direction = static_cast<std::size_t>(limit.direction);
  std::string text(event.sensor->trimmedName());
  text.append(" ").append(item.name).append(" ");
  text.append(filled(labels.limitPattern, {{"direction", labels.directions[direction]},
                                           {"limit", limitText(crossed, item, labels, decimal)}}));
  std::string aside;
  if (other) {
    aside.append(severityText(red ? Severity::kAmber : Severity::kRed, labels)).append(" ");
    aside.append(limitText(*other, item, labels, decimal));
  }
  if (limit.cells > 1) {
    if (!aside.empty()) aside.append(labels.listSeparator);
    aside.append(std::to_string(limit.cells)).append(" ").append(labels.cells);
  }
  if (!aside.empty()) text.append(filled(labels.asidePattern, {{"aside", aside}}));
  return text.append(labels.colon)
      .append(labels.worst[direction])
      .append(" ")
      .append(unpaddedReadingText(event.worstReading, item, decimal, labels.unitSpace));
}

std::string_view countUnitText(CountUnit unit, const HealthLabels& labels) {
  return unit == CountUnit::kBytes ? labels.bytes : kTimeUnitName;
}

// The check's words, then what the event is about: "log ends in the air: VARIO Q3302 ALTITUDE
// 12 m", "gap in the records: 2000 ms".
std::string checkEventText(const HealthEvent& event, const HealthLabels& labels, char decimal) {
  std::string about;
  const auto add = [&about](std::string_view part) {
    about.append(about.empty() ? "" : " ").append(part);
  };
  if (event.sensor) add(event.sensor->trimmedName());
  if (event.item) {
    add(event.item->name);
    add(unpaddedReadingText(event.worstReading, *event.item, decimal, labels.unitSpace));
  }
  if (event.count) {
    add(std::to_string(event.count->number)
            .append(labels.unitSpace)
            .append(countUnitText(event.count->unit, labels)));
  }
  std::string text(labels.checkWords(event.check));
  if (!about.empty()) text.append(labels.colon).append(about);
  return text;
}

void appendNotChecked(const HealthReport& health, const HealthLabels& labels, std::string& text) {
  if (health.notChecked.empty()) return;
  std::string checks;
  for (const std::string_view check : health.notChecked) {
    if (!checks.empty()) checks += labels.listSeparator;
    checks += labels.checkWords(check);
  }
  appendLine(labels.notChecked, checks, text);
}

}  // namespace

std::string healthEventText(const HealthEvent& event, const HealthLabels& labels,
                            char decimalSeparator) {
  std::string text = spanText(event, decimalSeparator);
  text.append("  ").append(severityText(event.severity, labels)).append("  ");
  return text.append(event.limit ? limitEventText(event, *event.limit, labels, decimalSeparator)
                                 : checkEventText(event, labels, decimalSeparator));
}

std::string healthText(const HealthReport& health, const HealthLabels& labels,
                       char decimalSeparator) {
  std::string text(labels.health);
  text += "\n";
  appendLine(labels.verdict, verdictText(health.verdict, labels), text);
  appendLine(labels.events, std::to_string(health.events.size()), text);
  appendLine(labels.limitsFile, health.limitsFile ? *health.limitsFile : labels.noLimitsFile, text);
  appendNotChecked(health, labels, text);
  const std::size_t shown = std::min(health.events.size(), kHealthEventLines);
  for (std::size_t e = 0; e < shown; ++e) {
    text.append("  ").append(healthEventText(health.events[e], labels, decimalSeparator)) += "\n";
  }
  if (health.events.size() > shown) {
    const std::string more = std::to_string(health.events.size() - shown);
    text.append("  ").append(filled(labels.andMore, {{"count", more}})) += "\n";
  }
  return text;
}

std::string verdictText(HealthVerdict verdict, const HealthLabels& labels) {
  const auto index = static_cast<std::size_t>(verdict);
  std::string text(labels.verdicts[index]);
  if (!labels.verdictWords[index].empty()) {
    text.append(labels.listSeparator).append(labels.verdictWords[index]);
  }
  return text;
}

std::string limitValueText(const Reading& limit, char decimalSeparator) {
  const auto decimals = static_cast<std::uint8_t>(limit.scale > 0 ? limit.scale : 0);
  return unpaddedReadingText(limit, {.width = 1, .decimals = decimals}, decimalSeparator);
}

}  // namespace trelvox
