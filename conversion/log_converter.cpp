#include "conversion/log_converter.h"

#include <future>
#include <memory>
#include <system_error>

#include "conversion/decoder_set.h"
#include "conversion/path_text.h"
#include "conversion/record_loop.h"
#include "conversion/telemetry_log_exception.h"
#include "conversion/write_behind.h"
#include "outputs/csv/csv_output.h"
#include "outputs/date_text.h"
#include "outputs/gpx_output.h"
#include "outputs/json_output.h"
#include "outputs/kml_output.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

std::chrono::year_month_day modificationDate(const fs::path& path) {
  std::error_code error;
  const fs::file_time_type written = fs::last_write_time(path, error);
  const auto time =
      error ? std::chrono::system_clock::now() : std::chrono::file_clock::to_sys(written);
  return std::chrono::year_month_day(std::chrono::floor<std::chrono::days>(time));
}

void keep(OutputFile& file, bool asked, ConversionResult& result) {
  if (!asked) return;
  file.commit();
  result.written.push_back(file.path());
}

// A file besides the CSV, written on a thread of its own (see WriteBehind).
struct SideFile {
  std::optional<WriteBehind>& writer;
  OutputFile& file;
  bool wanted;  // false for a track file of a log without a position
};

// Stores the last bytes of every file (dropping an unwanted side file), then names them: nothing is
// named unless every file was stored, and no side file unless the CSV was named (a spreadsheet may
// hold the older CSV open, and a run that fails leaves no new file). The side files are then named
// on threads of their own while the JSON is named here, since replacing an older file takes the
// file system about as long as writing it.
void keepAll(std::span<const SideFile> sideFiles, OutputFile& csv, bool csvAsked, OutputFile& json,
             bool jsonAsked, ConversionResult& result) {
  for (const SideFile& side : sideFiles) {
    if (!side.writer) continue;
    side.writer->finish();
    side.wanted ? side.file.store() : side.file.discard();
  }
  if (csvAsked) csv.store();
  if (jsonAsked) json.store();
  keep(csv, csvAsked, result);
  std::vector<std::future<void>> named;
  for (const SideFile& side : sideFiles) {
    if (!side.writer || !side.wanted) continue;
    try {
      named.push_back(std::async(std::launch::async, [&file = side.file] { file.commit(); }));
    } catch (const std::system_error&) {
      // The system gives no thread: named here rather than failed with the CSV already named.
      side.file.commit();
    }
  }
  keep(json, jsonAsked, result);
  for (std::future<void>& naming : named) naming.get();
  for (const SideFile& side : sideFiles) {
    if (side.writer && side.wanted) result.written.push_back(side.file.path());
  }
}

template <typename TrackOutput>
bool hasTrack(const std::optional<TrackOutput>& track) {
  return track && track->hasTrack();
}

}  // namespace

std::vector<fs::path> ConversionRequest::files() const {
  std::vector<fs::path> asked;
  for (const auto* file : {&csv, &json, &gpx, &kml, &html}) {
    if (*file) asked.push_back(**file);
  }
  return asked;
}

void LogConverter::open(const fs::path& log, const fs::path& outputPath, ExistingOutput existing) {
  ConversionRequest request;
  request.csv = outputPath;
  request.existing = existing;
  open(log, request);
}

void LogConverter::open(const fs::path& log, const ConversionRequest& request) {
  request_ = request;
  const LogFiles files = logFilesOf(log);
  infoPath_ = files.info;
  dataPath_ = files.data;

  FileSource infoFile;
  if (!infoFile.open(infoPath_)) {
    throw TelemetryLogException(MessageId::kInfoFileNotFound, displayPath(infoPath_));
  }
  slotMap_ = readSlotMap(infoFile);
  infoFile.close();

  if (!dataFile_.open(dataPath_)) {
    throw TelemetryLogException(MessageId::kCannotReadFile, displayPath(dataPath_));
  }
  refuseOutputsNamedTwice();
  openOutput(csvFile_, request.csvStream != nullptr ? std::nullopt : request.csv);
  openOutput(jsonFile_, request.json);
  openOutput(gpxFile_, request.gpx);
  openOutput(kmlFile_, request.kml);
  if (request.kml) kmlCoordinates_.beside(*request.kml);
  openOutput(htmlFile_, request.html);
}

// A CSV named like a side file ("-o flight.gpx --gpx") would be replaced by it, and both reported
// as written.
void LogConverter::refuseOutputsNamedTwice() const {
  const std::vector<fs::path> files = request_.files();
  for (std::size_t i = 1; i < files.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (isSameOutput(files[i], files[j])) {
        throw TelemetryLogException(MessageId::kCannotCreateOutput,
                                    displayPath(files[i]) + " would be written twice");
      }
    }
  }
}

void LogConverter::openOutput(OutputFile& file, const std::optional<fs::path>& path) {
  if (!path) return;
  if (isSameFile(*path, dataPath_) || isSameFile(*path, infoPath_)) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput,
                                displayPath(*path) + " is one of the log's own files");
  }
  file.open(*path, request_.existing);
}

std::chrono::year_month_day LogConverter::logDate() const {
  return request_.date ? *request_.date : modificationDate(dataPath_);
}

ConversionResult LogConverter::convert() {
  ConversionResult result;
  result.date = logDate();
  result.dataFile = dataPath_;
  const std::string logName = displayPath(dataPath_.filename());

  // The side files' writers go before the outputs that write into them, and so outlive them.
  std::optional<WriteBehind> gpxWriter;
  std::optional<WriteBehind> kmlWriter;
  std::optional<WriteBehind> htmlWriter;
  std::optional<CsvOutput> csv;
  std::optional<FlightSummaryOutput> summary;
  std::optional<GpxOutput> gpx;
  std::optional<KmlOutput> kml;
  std::vector<LogOutput*> outputs;
  ByteSink* csvSink = request_.csvStream != nullptr ? request_.csvStream
                      : request_.csv                ? &csvFile_
                                                    : nullptr;
  if (csvSink != nullptr) outputs.push_back(&csv.emplace(*csvSink, separators_, request_.unitsRow));
  if (request_.summary || request_.json || request_.html) outputs.push_back(&summary.emplace());
  std::optional<TrackSource> track;
  if (request_.gpx || request_.kml) outputs.push_back(&track.emplace(result.date));
  if (request_.gpx) outputs.push_back(&gpx.emplace(gpxWriter.emplace(gpxFile_), logName, *track));
  if (request_.kml) {
    outputs.push_back(&kml.emplace(kmlWriter.emplace(kmlFile_), kmlCoordinates_, logName, *track));
  }
  std::optional<HtmlReportOutput> html;
  if (request_.html) {
    outputs.push_back(
        &html.emplace(htmlWriter.emplace(htmlFile_), reportOptions(result, gpx, kml), &*summary));
  }

  const LogTotals totals = runRecordLoop(slotMap_, dataFile_, outputs);
  dataFile_.close();
  result.rows = totals.records;
  result.trailingBytes = totals.trailingBytes;
  if (summary) result.summary = summary->summary();
  if (request_.json) {
    const std::string json =
        jsonText(*result.summary, {request_.version, logName, displayPath(infoPath_.filename())});
    jsonFile_.write(json);
  }

  const SideFile sideFiles[] = {{gpxWriter, gpxFile_, hasTrack(gpx)},
                                {kmlWriter, kmlFile_, hasTrack(kml)},
                                {htmlWriter, htmlFile_, true}};
  keepAll(sideFiles, csvFile_, csvSink == &csvFile_, jsonFile_, request_.json.has_value(), result);
  result.noPosition = (gpx || kml) && !hasTrack(gpx) && !hasTrack(kml);
  return result;
}

// The page links a track file only when it is written: a log without a position, even one with a
// GPS that never had a fix, has none.
ReportOptions LogConverter::reportOptions(const ConversionResult& result,
                                          const std::optional<GpxOutput>& gpx,
                                          const std::optional<KmlOutput>& kml) const {
  ReportOptions options{.logName = displayPath(dataPath_.filename()),
                        .logDate = dateText(result.date),
                        .language = request_.pageLanguage,
                        .links = {},
                        .expectedRecords = dataRecordCount()};
  if (request_.gpx) {
    options.links.push_back(
        {"GPX", displayPath(request_.gpx->filename()), [&gpx] { return hasTrack(gpx); }});
  }
  if (request_.kml) {
    options.links.push_back(
        {"KML", displayPath(request_.kml->filename()), [&kml] { return hasTrack(kml); }});
  }
  return options;
}

std::size_t LogConverter::dataRecordCount() const {
  std::error_code error;
  const std::uintmax_t bytes = fs::file_size(dataPath_, error);
  return error ? 0 : static_cast<std::size_t>(bytes / kRecordSize);
}

int LogConverter::sensorCount() const {
  const DataRecord record;
  // Slot 0 always holds the receiver.
  return static_cast<int>(decodersFor(slotMap_, record.slotWords()).size()) - 1;
}

}  // namespace trelvox
