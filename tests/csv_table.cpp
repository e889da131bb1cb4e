#include "tests/csv_table.h"

#include <stdexcept>

#include "conversion/output_set.h"
#include "conversion/record_loop.h"
#include "tests/string_sink.h"

namespace trelvox {
CsvTable::CsvTable(const std::string& text, char listSeparator) : text_(text) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) throw std::runtime_error("row without CR LF");
    const std::string line = text.substr(start, end - start);
    std::vector<std::string> fields;
    std::size_t fieldStart = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == listSeparator) {
        fields.push_back(line.substr(fieldStart, i - fieldStart));
        fieldStart = i + 1;
      }
    }
    if (fieldStart != line.size()) throw std::runtime_error("field without separator: " + line);
    rows_.push_back(fields);
    start = end + 2;
  }
}

std::vector<std::string> CsvTable::column(const std::string& name, int occurrence) const {
  const auto& names = header(2);
  for (std::size_t c = 0; c < names.size(); ++c) {
    if (names[c] != name || occurrence-- > 0) continue;
    std::vector<std::string> values;
    for (std::size_t r = 3; r < rows_.size(); ++r) values.push_back(rows_[r].at(c));
    return values;
  }
  throw std::runtime_error("no column " + name);
}

std::vector<std::string> CsvTable::sensorColumnNames() const {
  const auto& names = header(2);
  return {names.begin() + 17, names.end()};
}

std::uint64_t writeCsvOf(const SlotMap& map, ByteSource& dataFile, ByteSink& sink,
                         Separators separators) {
  const ConversionRequest request;
  OutputSet outputs(request, {.separators = separators});
  outputs.add(OutputFormat::kCsv, sink);
  return runRecordLoop(map, dataFile, outputs.loopOrder()).records;
}

CsvTable convert(const LogBuilder& log, Separators separators) {
  const std::vector<std::uint8_t> info = log.infoBytes();
  const std::vector<std::uint8_t> data = log.dataBytes();
  MemorySource infoSource(info);
  MemorySource dataSource(data);
  StringSink sink;
  writeCsvOf(readSlotMap(infoSource), dataSource, sink, separators);
  return CsvTable(sink.text, separators.list);
}

}  // namespace trelvox
