#include "conversion/output_table.h"

#include <thread>

#include "conversion/output_set.h"
#include "conversion/path_text.h"
#include "outputs/csv/csv_output.h"
#include "outputs/report/html_report_output.h"
#include "outputs/summary/json_output.h"
#include "outputs/text/date_text.h"
#include "outputs/track/gpx_output.h"
#include "outputs/track/kml_output.h"

namespace trelvox {
namespace {

bool formatsOnASecondCore(std::size_t expectedRecords) {
  return expectedRecords >= kRecordsWorthAFormatterThread &&
         std::thread::hardware_concurrency() > 1;
}

// The flat CSV is the same file laid out for analysis tools, so it is one row with the CSV's: a
// request asks for the CSV and says which layout.
CsvHeader csvHeader(const ConversionRequest& request) {
  if (request.flatCsv) return CsvHeader::kFlat;
  return request.unitsRow ? CsvHeader::kThreeRowsUnits : CsvHeader::kThreeRows;
}

std::unique_ptr<LogOutput> makeCsv(const OutputParts& parts) {
  return std::make_unique<CsvOutput>(parts.file(), parts.facts().separators,
                                     csvHeader(parts.request()),
                                     formatsOnASecondCore(parts.facts().expectedRecords));
}

std::unique_ptr<LogOutput> makeJson(const OutputParts& parts) {
  return std::make_unique<JsonOutput>(parts.file(), parts.summary(), parts.health(),
                                      JsonNames{parts.request().version, parts.facts().logName,
                                                parts.facts().infoName, parts.facts().model});
}

std::unique_ptr<LogOutput> makeGpx(const OutputParts& parts) {
  return std::make_unique<GpxOutput>(parts.file(), parts.facts().logName, parts.track());
}

// A timed KML track's times and coordinates wait in spills until its points are all known.
std::unique_ptr<LogOutput> makeKml(const OutputParts& parts) {
  return std::make_unique<KmlOutput>(parts.file(), parts.scratch(0), parts.scratch(1),
                                     parts.facts().logName, parts.track());
}

// The page links the track files written in the same call; a track file is kept only where the
// log has a position, which the page asks once it is written at the end.
std::unique_ptr<LogOutput> makeHtml(const OutputParts& parts) {
  ReportOptions options{.logName = parts.facts().logName,
                        .logDate = dateText(parts.facts().date),
                        .language = parts.request().pageLanguage,
                        .links = {},
                        .expectedRecords = parts.facts().expectedRecords};
  for (const OutputFormat linked : {OutputFormat::kGpx, OutputFormat::kKml}) {
    const LogOutput* track = parts.made().outputOf(linked);
    if (track == nullptr) continue;
    options.links.push_back({std::string(outputRow(linked).name),
                             displayPath(parts.request().path(linked)->filename()),
                             [track] { return track->hasContent(); }});
  }
  return std::make_unique<HtmlReportOutput>(parts.file(), std::move(options), parts.summary(),
                                            parts.track(), parts.health());
}

}  // namespace

constexpr std::array<OutputRow, kOutputFormats> kOutputTable{{
    {.format = OutputFormat::kCsv, .extension = ".csv", .name = "CSV", .make = makeCsv},
    {.format = OutputFormat::kJson,
     .extension = ".json",
     .name = "JSON",
     .option = "--json",
     .help = "also write NAME.json with the flight's facts",
     .reads = {.summary = true, .health = true},
     .make = makeJson},
    {.format = OutputFormat::kGpx,
     .extension = ".gpx",
     .name = "GPX",
     .option = "--gpx",
     .help = "also write the GPS track as NAME.gpx",
     .reads = {.track = true},
     .make = makeGpx},
    {.format = OutputFormat::kKml,
     .extension = ".kml",
     .name = "KML",
     .option = "--kml",
     .help = "also write the GPS track as NAME.kml",
     .reads = {.track = true},
     .scratchFiles = 2,
     .make = makeKml},
    {.format = OutputFormat::kHtml,
     .extension = ".html",
     .name = "HTML",
     .option = "--report",
     .help = "also write NAME.html, a page of the flight",
     .reads = {.summary = true, .track = true, .health = true},
     .make = makeHtml},
}};

namespace {

// outputRow finds a row by its place.
constexpr bool rowsInFormatOrder() {
  for (std::size_t i = 0; i < kOutputFormats; ++i) {
    if (indexOf(kOutputTable[i].format) != i || kOutputTable[i].make == nullptr) return false;
  }
  return true;
}
static_assert(rowsInFormatOrder(), "kOutputTable holds one row per OutputFormat, in its order");

}  // namespace

const OutputRow& outputRow(OutputFormat format) { return kOutputTable[indexOf(format)]; }

}  // namespace trelvox
