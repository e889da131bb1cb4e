#include "outputs/health/nearest_key.h"

#include <algorithm>
#include <vector>

namespace trelvox {
namespace {

// Edits between `a` and `b`, a swap of neighbours counting as one (optimal string alignment).
std::size_t editDistance(std::string_view a, std::string_view b) {
  const std::size_t columns = b.size() + 1;
  std::vector<std::size_t> d((a.size() + 1) * columns);
  const auto at = [&](std::size_t i, std::size_t j) -> std::size_t& { return d[i * columns + j]; };
  for (std::size_t i = 0; i <= a.size(); ++i) at(i, 0) = i;
  for (std::size_t j = 0; j <= b.size(); ++j) at(0, j) = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t changed = a[i - 1] == b[j - 1] ? 0 : 1;
      at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + changed});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
      }
    }
  }
  return at(a.size(), b.size());
}

constexpr std::size_t kShortKey = 4;

}  // namespace

std::optional<std::string_view> nearestKey(std::string_view key,
                                           std::span<const std::string_view> known) {
  std::optional<std::string_view> nearest;
  std::size_t fewest = 0;
  for (const std::string_view candidate : known) {
    const std::size_t edits = editDistance(key, candidate);
    if (!nearest || edits < fewest) {
      nearest = candidate;
      fewest = edits;
    }
  }
  if (!nearest) return std::nullopt;
  const std::size_t allowed = nearest->size() <= kShortKey ? 1 : 2;
  return fewest <= allowed ? nearest : std::nullopt;
}

}  // namespace trelvox
