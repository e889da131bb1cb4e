#include "conversion/output_table.h"

#include <thread>

#include "conversion/path_text.h"
#include "outputs/csv/csv_output.h"
#include "outputs/health/health_check.h"
#include "outputs/report/html_report_output.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/summary/json_output.h"
#include "outputs/text/date_text.h"
#include "outputs/track/gpx_output.h"
#include "outputs/track/kml_output.h"
#include "outputs/track/track_source.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

// Formatting a log's rows on a second core pays only for long logs: on a card of typical flights,
// converted several at once (-j), the thread costs more than it saves. Some 80 minutes of records.
constexpr std::size_t kRecordsWorthAFormatter = 50'000;

unsigned csvFormatters(std::size_t expectedRecords) {
  return expectedRecords >= kRecordsWorthAFormatter && std::thread::hardware_concurrency() > 1 ? 1
                                                                                               : 0;
}

// The flat CSV is the same file laid out for analysis tools, so it is one row with the CSV's: a
// request asks for the CSV and says which layout.
CsvHeader csvHeader(const ConversionRequest& request) {
  if (request.flatCsv) return CsvHeader::kFlat;
  return request.unitsRow ? CsvHeader::kThreeRowsUnits : CsvHeader::kThreeRows;
}

std::unique_ptr<LogOutput> makeCsv(OutputSet& set, ByteSink& file, const fs::path&) {
  return std::make_unique<CsvOutput>(file, set.facts().separators, csvHeader(set.request()),
                                     csvFormatters(set.facts().expectedRecords));
}

std::unique_ptr<LogOutput> makeJson(OutputSet& set, ByteSink& file, const fs::path&) {
  return std::make_unique<JsonOutput>(file, set.summary(), set.health(),
                                      JsonNames{set.request().version, set.facts().logName,
                                                set.facts().infoName, set.facts().model});
}

std::unique_ptr<LogOutput> makeGpx(OutputSet& set, ByteSink& file, const fs::path&) {
  return std::make_unique<GpxOutput>(file, set.facts().logName, set.track());
}

// A timed KML track's times and coordinates wait in spills beside its file until its points are
// all known.
std::unique_ptr<LogOutput> makeKml(OutputSet& set, ByteSink& file, const fs::path& path) {
  ScratchFile& times = set.keep(std::make_unique<ScratchFile>());
  ScratchFile& coordinates = set.keep(std::make_unique<ScratchFile>());
  times.beside(path);
  coordinates.beside(path);
  return std::make_unique<KmlOutput>(file, times, coordinates, set.facts().logName, set.track());
}

// The page links the track files written in the same call; a track file is kept only where the
// log has a position, which the page asks once it is written at the end.
std::unique_ptr<LogOutput> makeHtml(OutputSet& set, ByteSink& file, const fs::path&) {
  ReportOptions options{.logName = set.facts().logName,
                        .logDate = dateText(set.facts().date),
                        .language = set.request().pageLanguage,
                        .links = {},
                        .expectedRecords = set.facts().expectedRecords};
  for (const OutputFormat linked : {OutputFormat::kGpx, OutputFormat::kKml}) {
    const OutputRow& row = outputRow(linked);
    const LogOutput* track = set.outputOf(linked);
    if (track == nullptr) continue;
    options.links.push_back({std::string(row.name),
                             displayPath((set.request().*row.path)->filename()),
                             [track] { return track->hasContent(); }});
  }
  return std::make_unique<HtmlReportOutput>(file, std::move(options), &set.summary(), &set.track(),
                                            &set.health());
}

}  // namespace

const std::array<OutputRow, kOutputFormats> kOutputTable{{
    {OutputFormat::kCsv, &ConversionRequest::csv, ".csv", "CSV", makeCsv},
    {OutputFormat::kJson, &ConversionRequest::json, ".json", "JSON", makeJson},
    {OutputFormat::kGpx, &ConversionRequest::gpx, ".gpx", "GPX", makeGpx},
    {OutputFormat::kKml, &ConversionRequest::kml, ".kml", "KML", makeKml},
    {OutputFormat::kHtml, &ConversionRequest::html, ".html", "HTML", makeHtml},
}};

const OutputRow& outputRow(OutputFormat format) {
  return kOutputTable[static_cast<std::size_t>(format)];
}

std::vector<fs::path> ConversionRequest::files() const {
  std::vector<fs::path> asked;
  for (const OutputRow& row : kOutputTable) {
    if (this->*row.path) asked.push_back(*(this->*row.path));
  }
  return asked;
}

OutputSet::OutputSet(const ConversionRequest& request, LogFacts facts)
    : request_(request), facts_(std::move(facts)) {}

OutputSet::~OutputSet() = default;

FlightSummaryOutput& OutputSet::summary() {
  if (summary_ == nullptr) {
    summary_ = &static_cast<FlightSummaryOutput&>(
        append(std::make_unique<FlightSummaryOutput>(facts_.limits.flights)));
  }
  return *summary_;
}

// The health check watches the track's sensor, so the track goes first.
HealthCheck& OutputSet::health() {
  if (health_ == nullptr) {
    TrackSource& track = this->track();
    health_ = &static_cast<HealthCheck&>(
        append(std::make_unique<HealthCheck>(facts_.limits, facts_.limitsFile, track)));
  }
  return *health_;
}

TrackSource& OutputSet::track() {
  if (track_ == nullptr) {
    track_ = &static_cast<TrackSource&>(append(std::make_unique<TrackSource>(facts_.date)));
  }
  return *track_;
}

void OutputSet::add(const OutputRow& row, ByteSink& file, const fs::path& path) {
  byFormat_[static_cast<std::size_t>(row.format)] = &append(row.make(*this, file, path));
}

const LogOutput* OutputSet::outputOf(OutputFormat format) const {
  return byFormat_[static_cast<std::size_t>(format)];
}

LogOutput& OutputSet::append(std::unique_ptr<LogOutput> output) {
  LogOutput& appended = *output;
  outputs_.push_back(std::move(output));
  loopOrder_.push_back(&appended);
  return appended;
}

}  // namespace trelvox
