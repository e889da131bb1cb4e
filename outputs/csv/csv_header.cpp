#include "outputs/csv/csv_header.h"

#include <string>
#include <vector>

#include "outputs/csv/flat_layout.h"
#include "outputs/text/number_text.h"
#include "outputs/text/unit_text.h"
#include "outputs/text/value_text.h"

namespace trelvox {
namespace {

constexpr int kLeadingColumns = 1 + kChannelCount;

void writeFlatRow(HeaderRowWriter& writer, Decoders decoders) {
  const std::vector<std::string> names = flatColumnNames(decoders);
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) writer.separator();
    writer.text(names[i]);
  }
  writer.endRow();
}

// One row of the three-row header: the leading columns' fields, then `fieldOf` each sensor column.
template <typename FieldOf>
void writeSensorRow(HeaderRowWriter& writer, Decoders decoders, FieldOf fieldOf) {
  for (const auto& decoder : decoders) {
    for (const Column& column : decoder->columns()) {
      if (isWritten(column)) writer.field(fieldOf(*decoder, column));
    }
  }
  writer.endRow();
}

void writeLeadingSeparators(HeaderRowWriter& writer, int count) {
  for (int i = 0; i < count; ++i) writer.separator();
}

void writeThreeRows(HeaderRowWriter& writer, Decoders decoders, bool unitsRow) {
  writeLeadingSeparators(writer, kLeadingColumns);
  writeSensorRow(writer, decoders, [](const Decoder& decoder, const Column&) {
    return static_cast<std::uint32_t>(decoder.firstSlot());
  });

  writeLeadingSeparators(writer, kLeadingColumns);
  writeSensorRow(writer, decoders,
                 [](const Decoder& decoder, const Column&) { return decoder.type().name; });

  writer.field("TIME");
  for (std::uint32_t k = 1; k <= kChannelCount; ++k) {
    ValueText name;
    name.append("CH");
    name.appendNumber(k);
    writer.field(name.view());
  }
  writeSensorRow(writer, decoders,
                 [](const Decoder&, const Column& column) { return column.name; });
  if (!unitsRow) return;

  writer.field("ms");
  writeLeadingSeparators(writer, kChannelCount);
  writeSensorRow(writer, decoders,
                 [](const Decoder&, const Column& column) { return unitInUtf8(column.unit); });
}

}  // namespace

// The units row and the flat names hold the file's only non-ASCII text (degree signs), in UTF-8.
void writeCsvHeader(ByteSink& sink, Decoders decoders, CsvHeader header, char listSeparator) {
  HeaderRowWriter writer(sink, listSeparator);
  if (header != CsvHeader::kThreeRows) writer.text(kUtf8ByteOrderMark);
  if (header == CsvHeader::kFlat) {
    writeFlatRow(writer, decoders);
  } else {
    writeThreeRows(writer, decoders, header == CsvHeader::kThreeRowsUnits);
  }
  writer.flush();
}

void HeaderRowWriter::field(std::string_view text) {
  append(text);
  separator();
}

void HeaderRowWriter::field(std::uint32_t n) {
  char* out = writeDigits(room(11), n);
  *out++ = listSeparator_;
  advance(out);
}

}  // namespace trelvox
