#pragma once

#include <cstdint>
#include <filesystem>

#include "conversion/log_files.h"
#include "conversion/log_format.h"
#include "sensors/separators.h"

namespace trelvox {

// Converts one flight log, the pair BASE.KLI (slot map) and BASE.KLD (records), into one CSV file.
// open checks and opens everything in an order that never leaves an output behind for a log that
// cannot be read and never writes over an input; convert then writes the whole file. Failures
// throw TelemetryLogException with the message to show; rows written before a failure stay in the
// output.
class LogConverter {
 public:
  enum class ExistingOutput { kReplace, kRefuse };

  explicit LogConverter(Separators separators) : separators_(separators) {}

  void open(const std::filesystem::path& basePath, const std::filesystem::path& outputPath,
            ExistingOutput existing = ExistingOutput::kReplace);
  // Returns the number of data rows written.
  std::uint64_t convert();
  // The number of sensors whose columns the conversion writes, besides the receiver's columns
  // that every CSV file has; known after open.
  int sensorCount() const;

 private:
  Separators separators_;
  SlotMap slotMap_;
  FileSource dataFile_;
  FileSink output_;
};

}  // namespace trelvox
