#include "conversion/log_converter.h"

#include "conversion/log_conversion.h"
#include "conversion/path_text.h"
#include "conversion/sensor_table.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {
namespace fs = std::filesystem;

void LogConverter::open(const fs::path& basePath, const fs::path& outputPath,
                        ExistingOutput existing) {
  const fs::path infoPath = companionFile(basePath, ".KLI");
  const fs::path dataPath = companionFile(basePath, ".KLD");

  FileSource infoFile;
  if (!infoFile.open(infoPath)) {
    throw TelemetryLogException(MessageId::kInfoFileNotFound, displayPath(infoPath));
  }
  slotMap_ = readSlotMap(infoFile);
  infoFile.close();

  if (!dataFile_.open(dataPath)) {
    throw TelemetryLogException(MessageId::kCannotReadFile, displayPath(dataPath));
  }
  if (isSameFile(outputPath, dataPath) || isSameFile(outputPath, infoPath)) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput,
                                displayPath(outputPath) + " is one of the log's own files");
  }
  std::error_code error;
  if (existing == ExistingOutput::kRefuse && fs::exists(outputPath, error)) {
    throw TelemetryLogException(MessageId::kOutputExists, displayPath(outputPath));
  }
  if (!output_.open(outputPath)) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput, displayPath(outputPath));
  }
}

std::uint64_t LogConverter::convert() {
  const std::uint64_t rows = writeCsv(slotMap_, dataFile_, output_, separators_);
  dataFile_.close();
  output_.close();
  return rows;
}

int LogConverter::sensorCount() const {
  const DataRecord record;
  const SensorTable sensors(slotMap_, record.slotWords(), separators_.decimal);
  return static_cast<int>(sensors.size()) - 1;  // slot 0 always holds the receiver
}

}  // namespace trelvox
