#include "outputs/report/interim_summary.h"

#include "outputs/reading_text.h"
#include "outputs/report/page_text.h"
#include "outputs/unit_text.h"

namespace trelvox {
namespace {

std::optional<std::string> readingText(const Reading& reading, const Column& column) {
  if (!reading.present) return std::nullopt;
  ValueText text;
  writeReadingText(reading, column.format, '.', text);
  std::string_view view = text.view();
  view.remove_prefix(std::min(view.find_first_not_of(' '), view.size()));
  return std::string(view);
}

}  // namespace

std::vector<InterimSummaryRow> interimSummary(Decoders decoders) {
  std::vector<InterimSummaryRow> rows;
  for (std::size_t d = 0; d < decoders.size(); ++d) {
    const Decoder& decoder = *decoders[d];
    const auto columns = decoder.columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const Column& column = columns[c];
      if (!isItem(column.shown)) continue;
      const int item = static_cast<int>(c);
      rows.push_back(
          {d, column.name, unitInUtf8(column.unit), readingText(decoder.smallest(item), column),
           readingText(decoder.largest(item), column), readingText(decoder.current(item), column)});
    }
  }
  return rows;
}

}  // namespace trelvox
