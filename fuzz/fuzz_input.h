#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/cli/cli_texts.h"
#include "conversion/byte_source.h"
#include "conversion/output_set.h"
#include "conversion/record_loop.h"
#include "outputs/csv/csv_output.h"
#include "outputs/health/health_check.h"
#include "outputs/logbook/logbook.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/summary/summary_text.h"
#include "outputs/text/byte_spill.h"

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

// The outputs of one conversion into counting sinks, as LogConverter makes them into files: a
// sink for each row's file and one for each of its spills.
struct CountedFiles {
  std::array<CountingSink, kOutputFormats> files;
  std::array<std::vector<CountingSink>, kOutputFormats> spills;

  void add(OutputSet& outputs, const OutputRow& row) {
    std::vector<CountingSink>& kept = spills[indexOf(row.format)];
    kept.resize(row.scratchFiles);
    std::vector<ByteSpill*> scratch;
    for (CountingSink& spill : kept) scratch.push_back(&spill);
    outputs.add(row.format, files[indexOf(row.format)], scratch);
  }
};

// What the shells make of the summary and the health check once the log has ended.
inline void writeShellTexts(const FlightSummary& summary, const HealthReport& health,
                            std::chrono::year_month_day day) {
  summaryText(summary, summaryLabels(Language::kEnglish), ',');
  healthText(health, healthLabels(Language::kEnglish), ',');
  logbookRow(summary, health, "fuzz.KLD", day);
}

}  // namespace fuzz

// Converts one fuzz input in memory: its first byte gives the length of the information file
// (up to 255 bytes, so short, exact and long slot maps all occur), its second byte picks the
// decimal separator (bit 0), whether the log counts as long enough for its rows to be formatted
// on a second core (bit 1), whether every further output (summary, JSON, logbook row, GPX, KML,
// report) is made too (bit 2), the day their times start on (bits 3 and 4) and whether the CSV is
// laid out flat (bit 5); the rest is the data file. Returns the CSV text's length.
inline std::size_t convertFuzzInput(std::span<const std::uint8_t> input) {
  if (input.size() < 2) return 0;
  const std::size_t infoSize = std::min<std::size_t>(input[0], input.size() - 2);
  const std::uint8_t choices = input[1];
  const bool everyOutput = (choices & 4) != 0;
  MemorySource info(input.subspan(2, infoSize));
  MemorySource data(input.subspan(2 + infoSize));

  ConversionRequest request;
  request.flatCsv = (choices & 32) != 0;
  request.summary = everyOutput;
  request.version = "0";
  const LogFacts facts{.logName = "fuzz.KLD",
                       .infoName = "fuzz.KLI",
                       .date = fuzz::trackDay(static_cast<std::uint8_t>(choices >> 3)),
                       .expectedRecords = (choices & 2) ? kRecordsWorthAFormatterThread : 0,
                       .separators = (choices & 1) ? Separators{';', ','} : Separators{}};
  for (const OutputRow& row : kOutputTable) {
    // The page links the track files by their names.
    if (everyOutput || row.format == OutputFormat::kCsv) {
      request.path(row.format) = "fuzz" + std::string(row.extension);
    }
  }
  fuzz::CountedFiles counted;
  OutputSet outputs(request, facts);
  for (const OutputRow& row : kOutputTable) {
    if (request.path(row.format)) counted.add(outputs, row);
  }
  runRecordLoop(readSlotMap(info), data, outputs.loopOrder());
  if (everyOutput) {
    fuzz::writeShellTexts(outputs.summary().summary(), outputs.health().report(), facts.date);
  }
  return counted.files[indexOf(OutputFormat::kCsv)].count;
}

}  // namespace trelvox
