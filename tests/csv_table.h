#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "conversion/byte_source.h"
#include "conversion/log_format.h"
#include "outputs/text/byte_sink.h"
#include "outputs/text/separators.h"
#include "support/log_builder.h"

namespace trelvox {

// A converted CSV file split into rows and fields, so tests can look up a column by its name in
// header row 3 and compare the exact texts a user gets.
class CsvTable {
 public:
  CsvTable(const std::string& text, char listSeparator);

  const std::string& text() const { return text_; }
  const std::vector<std::vector<std::string>>& rows() const { return rows_; }
  // Header row 1..3 (index 0..2) and the data rows after them.
  const std::vector<std::string>& header(int row) const {
    return rows_.at(static_cast<std::size_t>(row));
  }
  std::size_t dataRowCount() const { return rows_.size() - 3; }
  // The texts of the `occurrence`-th column named `name` in header row 3, one per data row.
  std::vector<std::string> column(const std::string& name, int occurrence = 0) const;
  // The sensor columns only: header row 3 from the first column after CH16.
  std::vector<std::string> sensorColumnNames() const;

 private:
  std::string text_;
  std::vector<std::vector<std::string>> rows_;
};

// The CSV of a log as a conversion writes it into `sink`: the record loop with the CSV the output
// table makes as its one output. Returns the records converted.
std::uint64_t writeCsvOf(const SlotMap& map, ByteSource& dataFile, ByteSink& sink,
                         Separators separators = {});

// Converts a log held in memory, as the command line would convert its files.
CsvTable convert(const LogBuilder& log, Separators separators = {});

}  // namespace trelvox
