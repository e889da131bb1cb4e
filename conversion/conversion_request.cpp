#include "conversion/conversion_request.h"

#include <algorithm>

namespace trelvox {
namespace fs = std::filesystem;

std::vector<fs::path> ConversionRequest::files() const {
  std::vector<fs::path> asked;
  for (const std::optional<fs::path>& file : paths) {
    if (file) asked.push_back(*file);
  }
  return asked;
}

bool ConversionRequest::checksHealth() const {
  return summary || std::ranges::any_of(kOutputTable, [this](const OutputRow& row) {
           return row.reads.health && asks(row);
         });
}

}  // namespace trelvox
