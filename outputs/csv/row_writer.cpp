#include "outputs/csv/row_writer.h"

#include "outputs/text/number_text.h"

namespace trelvox {

void RowWriter::field(std::string_view text) {
  append(text);
  separator();
}

void RowWriter::field(std::uint32_t n) {
  char* out = writeDigits(room(11), n);
  *out++ = listSeparator_;
  advance(out);
}

}  // namespace trelvox
