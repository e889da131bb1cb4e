#include "outputs/report/html_report_output.h"

#include <algorithm>
#include <cmath>

#include "outputs/flight_summary.h"
#include "outputs/number_text.h"
#include "outputs/reading_text.h"
#include "outputs/report/interim_summary.h"
#include "outputs/report/min_max_buckets.h"
#include "outputs/report/page_text.h"
#include "outputs/report/report_assets.h"
#include "outputs/unit_text.h"
#include "values/quantity.h"

namespace trelvox {
namespace {

constexpr std::size_t kTrackSeries = 2;  // metres east and north of the start, in tenths
constexpr double kMetresPerDegree = 6371000.0 * 3.141592653589793 / 180.0;
constexpr double kRadiansPerDegree = 3.141592653589793 / 180.0;

std::string_view languageCode(PageLanguage language) {
  switch (language) {
    case PageLanguage::kGerman:
      return "de";
    case PageLanguage::kJapanese:
      return "ja";
    case PageLanguage::kEnglish:
      break;
  }
  return "en";
}

// A channel word as a stick position in hundredths of a percent, as the CSV's channel columns
// work it out before rounding to tenths. It never decreases as the word grows, so the extremes of
// the words are the extremes of the positions and the words are kept as they come.
std::int64_t channelHundredths(std::int64_t word) { return (word - 1024) * 15238 / 1024; }

std::int64_t asItIs(std::int64_t number) { return number; }

// Metres in tenths, to the nearest; inline, as std::llround is a library call at every record.
std::int64_t tenths(double metres) {
  const double scaled = metres * 10;
  return static_cast<std::int64_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

// A relative address of a file in the page's folder: every byte of the name but the unreserved
// ones percent-encoded, so that a name that is not UTF-8 still addresses its file, which the
// page's script could not do from the name as the browser reads it.
std::string relativeAddress(std::string_view fileName) {
  constexpr char kHex[] = "0123456789ABCDEF";
  const auto unreserved = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("-._~").find(c) != std::string_view::npos;
  };
  std::string address;
  for (const char c : fileName) {
    const auto byte = static_cast<unsigned char>(c);
    if (unreserved(c)) {
      address += c;
    } else {
      address += '%';
      address += kHex[byte >> 4];
      address += kHex[byte & 0xF];
    }
  }
  return address;
}

// Readings are at most 32-bit numbers, which the CSV's digit writer lays down fastest.
char* writeInteger(char* out, std::int64_t n) {
  if (n < 0) *out++ = '-';
  return writeDigits(out,
                     n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n));
}

// The head of the page up to the title's text. The policy lets nothing be fetched: no request
// can leave the page, whatever a name in it says.
constexpr std::string_view kHead = "<!DOCTYPE html>\n<html lang=\"";
constexpr std::string_view kHeadAfterLanguage =
    "\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
    "script-src 'unsafe-inline'; style-src 'unsafe-inline'; img-src data:\">\n"
    "<meta name=\"generator\" content=\"Trelvox\">\n<title>";

}  // namespace

// A reading series of the charts: one item of one decoder.
struct HtmlReportOutput::Series {
  const TrackedReading* reading;
  std::size_t sensor;
  const Column* column;
};

// The decoder whose positions draw the track (the first one to report a position), and where
// the track starts.
struct HtmlReportOutput::Track {
  std::size_t firstSeries = 0;
  const Decoder* decoder = nullptr;
  std::size_t sensor = 0;
  std::optional<Position> origin;
  double metresPerDegreeEast = 0;
};

// Writes the page at the end of the log.
class HtmlReportOutput::Page {
 public:
  Page(const HtmlReportOutput& report, const LogTotals& totals)
      : report_(report), totals_(totals), text_(report.sink_) {}

  void write() {
    text_.raw(kHead).raw(languageCode(report_.options_.language)).raw(kHeadAfterLanguage);
    text_.htmlText(report_.options_.logName).raw("</title>\n<style>");
    text_.raw(report_assets::kChartStyle).raw("</style>\n<style>");
    text_.raw(report_assets::kPageStyle).raw("</style>\n</head>\n<body>\n");
    text_.raw("<script type=\"application/json\" id=\"report-texts\">");
    text_.raw(report_assets::kPageTexts).raw("</script>\n");
    text_.raw("<script type=\"application/json\" id=\"report-data\">");
    writeData();
    text_.raw("</script>\n<script>").raw(report_assets::kChartScript);
    text_.raw("</script>\n<script>").raw(report_assets::kPageScript);
    text_.raw("</script>\n</body>\n</html>\n");
    text_.flush();
  }

 private:
  void writeData() {
    text_.raw("{\"lang\":").jsonString(languageCode(report_.options_.language));
    writeLog();
    writeSensors();
    writeLinks();
    writeSummary();
    writeFlightFacts();
    writeTimes();
    writeSeries();
    writeTrack();
    text_.raw("}");
  }

  void writeLog() {
    const ReportOptions& options = report_.options_;
    text_.raw(",\"log\":{\"name\":").jsonString(options.logName);
    text_.raw(",\"date\":").jsonString(options.logDate);
    text_.raw(",\"records\":").number(static_cast<std::int64_t>(totals_.records));
    text_.raw(",\"duration\":").number(report_.elapsed_);
    text_.raw(",\"utcStart\":");
    if (report_.utcStart_) {
      text_.number(*report_.utcStart_);
    } else {
      text_.raw("null");
    }
    text_.raw("}");
  }

  void writeSensors() {
    text_.raw(",\"sensors\":[");
    const char* separator = "";
    for (const auto& decoder : report_.decoders_) {
      text_.raw(separator).raw("{\"slot\":").number(decoder->firstSlot());
      text_.raw(",\"type\":").jsonString(decoder->type().name).raw("}");
      separator = ",";
    }
    text_.raw("]");
  }

  void writeLinks() {
    text_.raw(",\"links\":[");
    const char* separator = "";
    for (const ReportLink& link : report_.options_.links) {
      if (link.written && !link.written()) continue;
      text_.raw(separator).raw("{\"label\":").jsonString(link.label);
      text_.raw(",\"file\":").jsonString(link.fileName);
      text_.raw(",\"href\":").jsonString(relativeAddress(link.fileName)).raw("}");
      separator = ",";
    }
    text_.raw("]");
  }

  void writeSummary() {
    text_.raw(",\"summary\":[");
    const char* separator = "";
    for (const InterimSummaryRow& row : interimSummary(report_.decoders_)) {
      text_.raw(separator).raw("{\"sensor\":").number(static_cast<std::int64_t>(row.sensor));
      text_.raw(",\"name\":").jsonString(row.name).raw(",\"unit\":").jsonString(row.unit);
      writeOptionalText(",\"min\":", row.smallest);
      writeOptionalText(",\"max\":", row.largest);
      writeOptionalText(",\"last\":", row.last);
      text_.raw("}");
      separator = ",";
    }
    text_.raw("]");
  }

  // The flight facts as --summary shows them: each fact's key, its value's text with unit, and the
  // sensor and item that gave it.
  void writeFlightFacts() {
    text_.raw(",\"flightFacts\":[");
    if (report_.flight_ != nullptr) {
      const FlightSummary flight = report_.flight_->summary();
      const char* separator = "";
      for (std::size_t k = 0; k < kFactKinds; ++k) {
        const std::optional<FlightFact>& fact = flight.facts[k];
        if (!fact) continue;
        ValueText value;
        writeReadingText(fact->reading, fact->column->format, '.', value);
        std::string_view shown = value.view();
        shown.remove_prefix(std::min(shown.find_first_not_of(' '), shown.size()));
        text_.raw(separator).raw("{\"key\":").jsonString(factKey(static_cast<FactKind>(k)));
        text_.raw(",\"value\":").jsonString(shown);
        text_.raw(",\"unit\":").jsonString(unitInUtf8(fact->column->unit));
        text_.raw(",\"sensor\":")
            .jsonString(std::to_string(fact->firstSlot) + " " + std::string(fact->sensor->name) +
                        ", " + fact->column->name);
        text_.raw("}");
        separator = ",";
      }
    }
    text_.raw("]");
  }

  void writeOptionalText(std::string_view key, const std::optional<std::string>& value) {
    text_.raw(key);
    if (value) {
      text_.jsonString(*value);
    } else {
      text_.raw("null");
    }
  }

  void writeTimes() {
    const MinMaxBuckets& points = *report_.points_;
    text_.raw(",\"times\":[");
    for (std::size_t p = 0; p < points.pointCount(); ++p) {
      if (p > 0) text_.raw(",");
      text_.number(points.pointTime(p));
    }
    text_.raw("]");
  }

  // Only series with at least one reading are charted; a tracked reading's extremes are set by
  // its first reading.
  bool hasReadings(std::size_t series) const {
    const TrackedReading& reading = *report_.series_[series].reading;
    return reading.largest != reading.mark;
  }

  void writeSeries() {
    text_.raw(",\"series\":[");
    const char* separator = "";
    for (std::size_t s = 0; s < report_.series_.size(); ++s) {
      if (!hasReadings(s)) continue;
      const Series& series = report_.series_[s];
      const Column& column = *series.column;
      text_.raw(separator).raw("{\"sensor\":").number(static_cast<std::int64_t>(series.sensor));
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
      writeValues(report_.series_.size() + static_cast<std::size_t>(k - 1), channelHundredths);
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
    report_.points_->visitPoints(series, [&](std::int64_t value) {
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
    const Track& track = *report_.track_;
    text_.raw(",\"track\":");
    if (!track.origin) {
      text_.raw("null");
      return;
    }
    text_.raw("{\"sensor\":").number(static_cast<std::int64_t>(track.sensor));
    text_.raw(",\"east\":");
    writeValues(track.firstSeries);
    text_.raw(",\"north\":");
    writeValues(track.firstSeries + 1);
    text_.raw("}");
  }

  const HtmlReportOutput& report_;
  const LogTotals& totals_;
  PageText text_;
};

HtmlReportOutput::HtmlReportOutput(ByteSink& sink, ReportOptions options,
                                   const FlightSummaryOutput* flight)
    : sink_(sink),
      options_(std::move(options)),
      flight_(flight),
      track_(std::make_unique<Track>()) {}

HtmlReportOutput::~HtmlReportOutput() = default;

void HtmlReportOutput::start(Decoders decoders) {
  decoders_ = decoders;
  for (std::size_t d = 0; d < decoders.size(); ++d) {
    const auto columns = decoders[d]->columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (isItem(columns[c].shown)) {
        series_.push_back({&decoders[d]->tracked(static_cast<int>(c)), d, &columns[c]});
        readings_.push_back(series_.back().reading);
      }
    }
  }
  track_->firstSeries = series_.size() + kChannelCount;
  const std::size_t seriesCount = track_->firstSeries + kTrackSeries;
  points_ = std::make_unique<MinMaxBuckets>(
      seriesCount, std::clamp<std::size_t>(kValueBudget / seriesCount, 4, kMostPoints));
  points_->expectRecords(options_.expectedRecords);
  points_->keepFirstAndLast(track_->firstSeries);
  points_->keepFirstAndLast(track_->firstSeries + 1);
}

void HtmlReportOutput::record(const DataRecord& record) {
  if (points_->nextRecord(elapsedTime(record.time()))) {
    keepReadings<&MinMaxBuckets::begin>(record, MinMaxBuckets::kNoReading);
  } else {
    keepReadings<&MinMaxBuckets::add>(record, std::nullopt);
  }
  followTrack();
  if (!utcStart_) noteUtcStart();
}

// Hands every series' reading of this record to `keep`; a missing reading as `missing`, if any.
template <void (MinMaxBuckets::*keep)(std::size_t, std::int64_t)>
void HtmlReportOutput::keepReadings(const DataRecord& record, std::optional<std::int64_t> missing) {
  MinMaxBuckets& points = *points_;
  for (std::size_t s = 0; s < readings_.size(); ++s) {
    const TrackedReading& reading = *readings_[s];
    if (reading.current != reading.mark) {
      (points.*keep)(s, reading.current);
    } else if (missing) {
      (points.*keep)(s, *missing);
    }
  }
  keepChannels<keep>(record, missing.has_value());
  if (missing) {
    (points.*keep)(track_->firstSeries, *missing);
    (points.*keep)(track_->firstSeries + 1, *missing);
  }
}

// A group of channels whose words are those of the record before is passed over within a bucket,
// where the same readings again change nothing.
template <void (MinMaxBuckets::*keep)(std::size_t, std::int64_t)>
void HtmlReportOutput::keepChannels(const DataRecord& record, bool bucketBegins) {
  for (int group = 0; group < kChannelGroups; ++group) {
    const std::uint64_t groupWords = record.channelGroup(group);
    const auto index = static_cast<std::size_t>(group);
    if (!bucketBegins && groupWords == lastChannelGroups_[index]) continue;
    lastChannelGroups_[index] = groupWords;
    for (int k = group * kChannelsPerGroup; k < (group + 1) * kChannelsPerGroup; ++k) {
      (points_.get()->*keep)(series_.size() + static_cast<std::size_t>(k), record.channel(k + 1));
    }
  }
}

void HtmlReportOutput::end(const LogTotals& totals) { Page(*this, totals).write(); }

// Time since the first record in the recorder's units (milliseconds), never going back: a clock
// that jumps backwards would otherwise fold the charts' time axis. The steps forward add up as the
// flight summary adds them, so the page's duration is the one --json gives.
std::int64_t HtmlReportOutput::elapsedTime(std::uint32_t recordTime) {
  if (lastTime_ && recordTime > *lastTime_) elapsed_ += recordTime - *lastTime_;
  lastTime_ = recordTime;
  return elapsed_;
}

void HtmlReportOutput::followTrack() {
  Track& track = *track_;
  for (std::size_t d = 0; !track.decoder && d < decoders_.size(); ++d) {
    if (decoders_[d]->position()) {
      track.decoder = decoders_[d].get();
      track.sensor = d;
    }
  }
  if (!track.decoder) return;
  const std::optional<Position> position = track.decoder->position();
  if (!position) return;
  if (!track.origin) {
    track.origin = position;
    track.metresPerDegreeEast =
        kMetresPerDegree * std::cos(track.origin->latitude * kRadiansPerDegree);
  }
  const double north = (position->latitude - track.origin->latitude) * kMetresPerDegree;
  const double east =
      degreesEast(track.origin->longitude, position->longitude) * track.metresPerDegreeEast;
  points_->sample(track.firstSeries, tenths(east));
  points_->sample(track.firstSeries + 1, tenths(north));
}

// The first record with a GPS time tells the time of day at which the log began.
void HtmlReportOutput::noteUtcStart() {
  constexpr std::int64_t kDay = kSecondsPerDay;
  for (const auto& decoder : decoders_) {
    if (const auto seconds = decoder->utcSecondsOfDay()) {
      const std::int64_t start = (*seconds - elapsed_ / 1000) % kDay;
      utcStart_ = static_cast<std::uint32_t>(start < 0 ? start + kDay : start);
      return;
    }
  }
}

}  // namespace trelvox
