#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace trelvox {

// The widest path a message box shows whole, in columns (see columnsOf: a wide character such as
// a CJK ideograph takes two, an accented letter one). A box grows with its longest line, and a
// path does not wrap, so a longer path would push the box past the screen's edges: 100 columns
// stay within 800 pixels.
inline constexpr std::size_t kWidestPathInBox = 100;

// `path` as a message box shows it: whole when it is at most `widest` columns wide, else with
// folders in the middle replaced by "..." so that it is, keeping the start (the drive or root and
// the first folder) and the file name whole; only a file name wider than that on its own is
// wider.
std::string pathForBox(const std::filesystem::path& path, std::size_t widest = kWidestPathInBox);

}  // namespace trelvox
