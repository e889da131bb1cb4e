#include "outputs/report/report_page.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "outputs/csv/csv_output.h"
#include "outputs/health/health_event.h"
#include "outputs/health/health_text.h"
#include "outputs/report/page_text.h"
#include "outputs/report/page_texts.h"
#include "outputs/report/report_assets.h"
#include "outputs/report/report_samples.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/text/number_text.h"
#include "outputs/text/reading_text.h"
#include "outputs/text/relative_address.h"
#include "outputs/text/unit_text.h"
#include "values/quantity.h"

namespace trelvox {
namespace {

std::int64_t asItIs(std::int64_t number) { return number; }

// The channels' points are the records' words; the page shows them as stick positions.
std::int64_t channelPosition(std::int64_t word) {
  return channelHundredths(static_cast<std::int16_t>(word));
}

// Readings are at most 32-bit numbers, which the CSV's digit writer lays down fastest.
char* writeInteger(char* out, std::int64_t n) {
  if (n < 0) *out++ = '-';
  return writeDigits(out,
                     n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n));
}

class Page {
 public:
  Page(ByteSink& sink, const ReportOptions& options, const ReportSamples& samples,
       const FlightSummary& flight, const HealthReport& health)
      : options_(options), samples_(samples), flight_(flight), health_(health), text_(sink) {}

  void write() {
    writePage(
        text_, languageCode(options_.language),
        {.style = report_assets::kPageStyle,
         .texts = {{.id = "report-texts", .json = report_assets::kPageTexts}},
         .dataId = "report-data",
         .script = report_assets::kPageScript},
        [this] { text_.htmlText(options_.logName); }, [this] { writeData(); });
  }

 private:
  void writeData() {
    text_.raw("{\"lang\":").jsonString(languageCode(options_.language));
    writeLog();
    writeSensors();
    writeLinks();
    writeSummary();
    writeFlightFacts();
    writeHealth();
    writeFlights();
    writeTimes();
    writeSeries();
    writeTrack();
    text_.raw("}");
  }

  void writeLog() {
    text_.raw(",\"log\":{\"name\":").jsonString(options_.logName);
    text_.raw(",\"date\":").jsonString(options_.logDate);
    text_.raw(",\"records\":").number(static_cast<std::int64_t>(flight_.totals.records));
    text_.raw(",\"duration\":").number(static_cast<std::int64_t>(flight_.clock.duration));
    text_.raw(",\"utcStart\":");
    if (flight_.utcSecondsOfDayAtStart) {
      text_.number(*flight_.utcSecondsOfDayAtStart);
    } else {
      text_.raw("null");
    }
    text_.raw("}");
  }

  void writeSensors() {
    text_.raw(",\"sensors\":[");
    const char* separator = "";
    for (const SensorSummary& sensor : flight_.sensors) {
      text_.raw(separator).raw("{\"slot\":").number(sensor.firstSlot);
      text_.raw(",\"type\":").jsonString(sensor.type->name).raw("}");
      separator = ",";
    }
    text_.raw("]");
  }

  void writeLinks() {
    text_.raw(",\"links\":[");
    const char* separator = "";
    for (const ReportLink& link : options_.links) {
      if (link.written && !link.written()) continue;
      text_.raw(separator).raw("{\"label\":").jsonString(link.label);
      text_.raw(",\"file\":").jsonString(link.fileName);
      text_.raw(",\"href\":").jsonString(relativeAddress(link.fileName)).raw("}");
      separator = ",";
    }
    text_.raw("]");
  }

  // Every item of every sensor with its smallest, largest and last reading; null where it never
  // had one.
  void writeSummary() {
    text_.raw(",\"summary\":[");
    const char* separator = "";
    for (std::size_t s = 0; s < flight_.sensors.size(); ++s) {
      for (const ItemSummary& item : flight_.sensors[s].items) {
        const Column& column = *item.column;
        text_.raw(separator).raw("{\"sensor\":").number(static_cast<std::int64_t>(s));
        text_.raw(",\"name\":").jsonString(column.name);
        text_.raw(",\"unit\":").jsonString(unitInUtf8(column.unit));
        writeOptionalReading(",\"min\":", item.smallest, column);
        writeOptionalReading(",\"max\":", item.largest, column);
        writeOptionalReading(",\"last\":", item.last, column);
        text_.raw("}");
        separator = ",";
      }
    }
    text_.raw("]");
  }

  void writeOptionalReading(std::string_view key, const Reading& reading, const Column& column) {
    text_.raw(key);
    if (reading.present) {
      text_.jsonString(unpaddedReadingText(reading, column.format, '.'));
    } else {
      text_.raw("null");
    }
  }

  // The flight facts as --summary shows them: each fact's key, its value's text with unit, and the
  // sensor and item that gave it.
  void writeFlightFacts() {
    text_.raw(",\"flightFacts\":[");
    const char* separator = "";
    for (std::size_t k = 0; k < kFactKinds; ++k) {
      const std::optional<FlightFact>& fact = flight_.facts[k];
      if (!fact) continue;
      const Column& column = *fact->column;
      text_.raw(separator).raw("{\"key\":").jsonString(factKey(static_cast<FactKind>(k)));
      text_.raw(",\"value\":").jsonString(unpaddedReadingText(fact->reading, column.format, '.'));
      text_.raw(",\"unit\":").jsonString(unitInUtf8(column.unit));
      text_.raw(",\"sensor\":")
          .jsonString(std::to_string(fact->firstSlot) + " " + std::string(fact->sensor->name) +
                      ", " + column.name);
      text_.raw("}");
      separator = ",";
    }
    text_.raw("]");
  }

  // The verdict and the events; readings and limits as texts with '.', the page adds the words.
  // Events are placed on the charts' clock, which a step back does not move back.
  void writeHealth() {
    text_.raw(",\"health\":{\"verdict\":").jsonString(verdictName(health_.verdict));
    text_.raw(",\"events\":[");
    const char* separator = "";
    for (const HealthEvent& event : health_.events) {
      text_.raw(separator).raw("{\"check\":").jsonString(event.check);
      text_.raw(",\"severity\":").jsonString(severityName(event.severity));
      text_.raw(",\"start\":").number(static_cast<std::int64_t>(event.start.elapsed));
      text_.raw(",\"end\":").number(static_cast<std::int64_t>(event.end.elapsed));
      if (event.sensor) text_.raw(",\"sensor\":").jsonString(event.sensor->name);
      if (event.item) writeEventItem(event);
      if (event.limit) writeEventLimit(*event.limit);
      if (event.count) {
        text_.raw(",\"count\":").number(static_cast<std::int64_t>(event.count->number));
        text_.raw(",\"countUnit\":").jsonString(countUnitName(event.count->unit));
      }
      text_.raw("}");
      separator = ",";
    }
    text_.raw("]}");
  }

  void writeEventItem(const HealthEvent& event) {
    const Column& item = *event.item;
    text_.raw(",\"item\":").jsonString(item.name);
    text_.raw(",\"quantity\":").jsonString(quantityName(item.quantity));
    text_.raw(",\"unit\":").jsonString(unitInUtf8(item.unit));
    text_.raw(",\"worst\":").jsonString(unpaddedReadingText(event.worstReading, item.format, '.'));
  }

  void writeEventLimit(const LimitCrossing& limit) {
    text_.raw(",\"direction\":").jsonString(directionName(limit.direction));
    text_.raw(",\"amber\":").jsonString(limitValueText(limit.thresholds.amber, '.'));
    text_.raw(",\"red\":");
    if (limit.thresholds.red) {
      text_.jsonString(limitValueText(*limit.thresholds.red, '.'));
    } else {
      text_.raw("null");
    }
    text_.raw(",\"cells\":").number(limit.cells);
  }

  // The flights within the log as [start, end] in ms of the charts' time; null without a height
  // or a speed to tell them by.
  void writeFlights() {
    text_.raw(",\"flights\":");
    if (!flight_.flights) {
      text_.raw("null");
      return;
    }
    text_.raw("[");
    const char* separator = "";
    for (const FlightSpan& span : flight_.flights->spans) {
      text_.raw(separator).raw("[").number(static_cast<std::int64_t>(span.startMs));
      text_.raw(",").number(static_cast<std::int64_t>(span.endMs)).raw("]");
      separator = ",";
    }
    text_.raw("]");
  }

  void writeTimes() {
    const MinMaxBuckets& points = samples_.points();
    text_.raw(",\"times\":[");
    for (std::size_t p = 0; p < points.pointCount(); ++p) {
      if (p > 0) text_.raw(",");
      text_.number(points.pointTime(p));
    }
    text_.raw("]");
  }

  void writeSeries() {
    text_.raw(",\"series\":[");
    const char* separator = "";
    const std::vector<ReportSamples::Series>& series = samples_.series();
    for (std::size_t s = 0; s < series.size(); ++s) {
      // Only series with at least one reading are charted; a tracked reading's extremes are set
      // by its first reading.
      const TrackedReading& reading = *series[s].reading;
      if (reading.largest == reading.mark) continue;
      const Column& column = *series[s].column;
      text_.raw(separator).raw("{\"sensor\":").number(static_cast<std::int64_t>(series[s].sensor));
      text_.raw(",\"name\":").jsonString(column.name);
      text_.raw(",\"unit\":").jsonString(unitInUtf8(column.unit));
      text_.raw(",\"quantity\":").jsonString(quantityName(column.quantity));
      writeNumberLayout(column.scale, column.format.decimals);
      text_.raw(",\"values\":");
      writeValues(s);
      text_.raw("}");
      separator = ",";
    }
    for (int k = 1; k <= kChannelCount; ++k) {
      text_.raw(separator).raw("{\"sensor\":null,\"name\":\"CH").number(k);
      text_.raw("\",\"unit\":\"%\",\"quantity\":\"channel\"");
      writeNumberLayout(2, 1);
      text_.raw(",\"values\":");
      writeValues(samples_.channelSeries(k), channelPosition);
      text_.raw("}");
      separator = ",";
    }
    text_.raw("]");
  }

  void writeNumberLayout(int scale, int decimals) {
    text_.raw(",\"scale\":").number(scale).raw(",\"decimals\":").number(decimals);
  }

  // The series' points as a JSON string of comma-separated items: a number, "n" where the series
  // has no reading, or nothing where the point repeats the one before. Repeats are most of most
  // series, so this is the page's smallest and quickest form; it is the hot part of writing it.
  void writeValues(std::size_t series, std::int64_t (*shown)(std::int64_t) = asItIs) {
    text_.raw("\"");
    std::size_t separator = 0;  // none before the first point
    std::int64_t previous = 0;
    samples_.points().visitPoints(series, [&](std::int64_t value) {
      char* out = text_.room(PageText::kRoomLimit);
      *out = ',';
      out += separator;
      if (value != previous || separator == 0) {
        out = value != MinMaxBuckets::kNoReading ? writeInteger(out, shown(value))
                                                 : std::copy_n("n", 1, out);
        previous = value;
      }
      separator = 1;
      text_.advance(out);
    });
    text_.raw("\"");
  }

  void writeTrack() {
    text_.raw(",\"track\":");
    const std::optional<std::size_t> sensor = samples_.trackSensor();
    if (!sensor) {
      text_.raw("null");
      return;
    }
    text_.raw("{\"sensor\":").number(static_cast<std::int64_t>(*sensor));
    text_.raw(",\"east\":");
    writeValues(samples_.eastSeries());
    text_.raw(",\"north\":");
    writeValues(samples_.northSeries());
    text_.raw("}");
  }

  const ReportOptions& options_;
  const ReportSamples& samples_;
  const FlightSummary& flight_;
  const HealthReport& health_;
  PageText text_;
};

}  // namespace

void writeReportPage(ByteSink& sink, const ReportOptions& options, const ReportSamples& samples,
                     const FlightSummary& flight, const HealthReport& health) {
  Page(sink, options, samples, flight, health).write();
}

}  // namespace trelvox
