#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace trelvox {

// The known key a mistyped `key` was most likely meant to be: the first of those fewest edits
// away (a letter added, dropped, changed, or two neighbours swapped), when that is close enough
// to be a typing slip: one edit for a key of up to four letters, two for a longer one.
std::optional<std::string_view> nearestKey(std::string_view key,
                                           std::span<const std::string_view> known);

}  // namespace trelvox
