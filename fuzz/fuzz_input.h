#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "app/cli/cli_texts.h"
#include "conversion/byte_source.h"
#include "conversion/record_loop.h"
#include "outputs/csv/csv_output.h"
#include "outputs/health/health_check.h"
#include "outputs/report/html_report_output.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/summary/json_output.h"
#include "outputs/summary/logbook.h"
#include "outputs/text/byte_spill.h"
#include "outputs/track/gpx_output.h"
#include "outputs/track/kml_output.h"
#include "outputs/track/track_source.h"

namespace trelvox {

namespace fuzz {

// Counts what an output writes; a spill gives nothing back, as what it holds is text already made.
class CountingSink final : public ByteSpill {
 public:
  void write(std::span<const char> bytes) override { count += bytes.size(); }
  void moveTo(ByteSink&) override {}
  std::size_t count = 0;
};

// The first day the track's times fall on: an ordinary one, and the ends of the range a date can
// be given in, which times through midnight leave.
inline std::chrono::year_month_day trackDay(std::uint8_t choice) {
  using namespace std::chrono;
  constexpr year_month_day kDays[] = {year(2024) / May / 1, year(1) / January / 1,
                                      year(9999) / December / 31, year(2024) / February / 29};
  return kDays[choice % std::size(kDays)];
}

// Every further output of one log beside the CSV, as the shells ask for them.
inline void convertWithEveryOutput(const SlotMap& map, ByteSource& data, CsvOutput& csv,
                                   std::uint8_t dayChoice) {
  CountingSink sink;
  CountingSink times;
  CountingSink coordinates;
  FlightSummaryOutput summary;
  TrackSource track(trackDay(dayChoice));
  GpxOutput gpx(sink, "fuzz.KLD", track);
  KmlOutput kml(sink, times, coordinates, "fuzz.KLD", track);
  const ReportOptions pageOptions{.logName = "fuzz.KLD", .logDate = "2024-05-01", .links = {}};
  HealthCheck health({}, std::nullopt, track);
  HtmlReportOutput page(sink, pageOptions, &summary, &track, &health);
  LogOutput* const outputs[] = {&csv, &summary, &track, &health, &gpx, &kml, &page};
  runRecordLoop(map, data, outputs);

  // What the shells make of the summary once the log has ended.
  summaryText(summary.summary(), summaryLabels(Language::kEnglish), ',');
  healthText(health.report(), healthLabels(Language::kEnglish), ',');
  jsonText(summary.summary(), health.report(), {"0", "fuzz.KLD", "fuzz.KLI"});
  logbookRow(summary.summary(), health.report(), "fuzz.KLD", trackDay(dayChoice));
}

}  // namespace fuzz

// Converts one fuzz input in memory: its first byte gives the length of the information file
// (up to 255 bytes, so short, exact and long slot maps all occur), its second byte picks the
// decimal separator (bit 0), whether rows are formatted on a worker thread (bit 1), whether every
// further output (summary, JSON, logbook row, GPX, KML, report) is made too (bit 2), the day
// their times start on (bits 3 and 4) and whether the CSV is laid out flat (bit 5); the rest is the
// data file. Returns the CSV text's length.
inline std::size_t convertFuzzInput(std::span<const std::uint8_t> input) {
  if (input.size() < 2) return 0;
  const std::size_t infoSize = std::min<std::size_t>(input[0], input.size() - 2);
  const std::uint8_t choices = input[1];
  const Separators separators = (choices & 1) ? Separators{';', ','} : Separators{};
  MemorySource info(input.subspan(2, infoSize));
  MemorySource data(input.subspan(2 + infoSize));
  fuzz::CountingSink sink;
  const CsvHeader header = (choices & 32) ? CsvHeader::kFlat : CsvHeader::kThreeRows;
  CsvOutput csv(sink, separators, header, (choices & 2) ? 1 : 0);
  const SlotMap map = readSlotMap(info);
  if (choices & 4) {
    fuzz::convertWithEveryOutput(map, data, csv, static_cast<std::uint8_t>(choices >> 3));
  } else {
    LogOutput* const outputs[] = {&csv};
    runRecordLoop(map, data, outputs);
  }
  return sink.count;
}

}  // namespace trelvox
