#include "conversion/log_converter.h"

#include <system_error>

#include "conversion/decoder_set.h"
#include "conversion/path_text.h"
#include "conversion/record_loop.h"
#include "conversion/telemetry_log_exception.h"

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

// Logs of one model sit in one folder on a card, unless a limits file names the model.
std::string modelOf(const HealthLimits& limits, const fs::path& dataFile) {
  if (limits.model) return *limits.model;
  std::error_code error;
  const fs::path absolute = fs::absolute(dataFile, error);
  return displayPath((error ? dataFile : absolute).parent_path().filename());
}

}  // namespace

void LogConverter::open(const fs::path& log, const fs::path& outputPath, ExistingOutput existing) {
  ConversionRequest request;
  request.path(OutputFormat::kCsv) = outputPath;
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
    // "Not found" says it all for a missing file; one that is there gets the system's reason.
    const std::error_code reason = lastSystemError();
    throw TelemetryLogException(
        MessageId::kInfoFileNotFound, displayPath(infoPath_),
        reason == std::errc::no_such_file_or_directory ? std::error_code() : reason);
  }
  slotMap_ = readSlotMap(infoFile);
  infoFile.close();

  if (!dataFile_.open(dataPath_)) {
    throw TelemetryLogException(MessageId::kCannotReadFile, displayPath(dataPath_),
                                lastSystemError());
  }
  refuseOutputsNamedTwice();
  readLimits();
  for (const OutputRow& row : kOutputTable) openOutput(row);
}

// Before any output is opened: a limits file with a fault leaves nothing written for the log.
void LogConverter::readLimits() {
  limits_ = {};
  limitsFile_.reset();
  if (!request_.checksHealth()) return;
  const std::optional<fs::path> path =
      request_.limits ? request_.limits : findLimitsFile(dataPath_);
  if (!path) return;
  limitsFile_ = displayPath(*path);
  try {
    limits_ = readLimitsFile(*path, *limitsFile_);
  } catch (const LimitsFileFault& fault) {
    throw TelemetryLogException(fault);
  }
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

// The CSV goes to the request's stream, where it names one, rather than to its file.
void LogConverter::openOutput(const OutputRow& row) {
  if (!request_.writesFile(row)) return;
  const fs::path& path = *request_.path(row.format);
  if (isSameFile(path, dataPath_) || isSameFile(path, infoPath_)) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput,
                                displayPath(path) + " is one of the log's own files");
  }
  files_[indexOf(row.format)].open(path, request_.existing);
}

ByteSink* LogConverter::sinkOf(const OutputRow& row) {
  if (ByteSink* stream = request_.streamOf(row)) return stream;
  return request_.path(row.format) ? &files_[indexOf(row.format)] : nullptr;
}

std::chrono::year_month_day LogConverter::logDate() const {
  return request_.date ? *request_.date : modificationDate(dataPath_);
}

LogFacts LogConverter::facts(std::chrono::year_month_day date) const {
  return {.logName = displayPath(dataPath_.filename()),
          .infoName = displayPath(infoPath_.filename()),
          .date = date,
          .expectedRecords = dataRecordCount(),
          .separators = separators_,
          .limits = limits_,
          .limitsFile = limitsFile_,
          .model = modelOf(limits_, dataPath_)};
}

// An output's spills lie beside its file, whose folder takes that output anyway.
void LogConverter::addOutputs(OutputSet& outputs) {
  for (const OutputRow& row : kOutputTable) {
    ByteSink* sink = sinkOf(row);
    if (sink == nullptr) continue;
    std::vector<std::unique_ptr<ScratchFile>>& kept = scratch_[indexOf(row.format)];
    std::vector<ByteSpill*> scratch;
    for (std::size_t i = 0; i < row.scratchFiles; ++i) {
      kept.push_back(std::make_unique<ScratchFile>());
      kept.back()->beside(request_.path(row.format).value_or(fs::path()));
      scratch.push_back(kept.back().get());
    }
    outputs.add(row.format, *sink, scratch);
  }
}

ConversionResult LogConverter::convert() {
  ConversionResult result;
  result.date = logDate();
  result.dataFile = dataPath_;
  OutputSet outputs(request_, facts(result.date));
  result.model = outputs.facts().model;
  addOutputs(outputs);

  const LogTotals totals = runRecordLoop(slotMap_, dataFile_, outputs.loopOrder());
  dataFile_.close();
  result.rows = totals.records;
  result.trailingBytes = totals.trailingBytes;
  if (outputs.hasSummary()) result.summary = outputs.summary().summary();
  if (outputs.hasHealth()) result.health = outputs.health().report();
  keepFiles(outputs, result);
  return result;
}

// Stores the last bytes of every file (dropping one whose output has nothing to keep), then names
// them: none unless every file was stored, and no other file unless the CSV was named (a
// spreadsheet may hold the older CSV open, and a run that fails leaves no new file).
void LogConverter::keepFiles(const OutputSet& outputs, ConversionResult& result) {
  std::vector<OutputFile*> kept;
  for (const OutputRow& row : kOutputTable) {
    const LogOutput* output = outputs.outputOf(row.format);
    OutputFile& file = files_[indexOf(row.format)];
    if (output == nullptr || sinkOf(row) != &file) continue;
    if (output->hasContent()) {
      file.store();
      kept.push_back(&file);
    } else {
      file.discard();
      result.dropped.push_back(file.path());
    }
  }
  for (OutputFile* file : kept) {
    file->commit();
    result.written.push_back(file->path());
  }
}

std::size_t LogConverter::dataRecordCount() const {
  std::error_code error;
  const std::uintmax_t bytes = fs::file_size(dataPath_, error);
  return error ? 0 : static_cast<std::size_t>(bytes / kRecordSize);
}

std::size_t filesHeldOpen(const ConversionRequest& request) {
  constexpr std::size_t kDataFileAndFolder = 2;
  std::size_t files = kDataFileAndFolder;
  for (const OutputRow& row : kOutputTable) {
    if (request.writesFile(row)) files += 1 + row.scratchFiles;
  }
  return files;
}

int LogConverter::sensorCount() const {
  const DataRecord record;
  // Slot 0 always holds the receiver.
  return static_cast<int>(decodersFor(slotMap_, record.slotWords()).size()) - 1;
}

}  // namespace trelvox
