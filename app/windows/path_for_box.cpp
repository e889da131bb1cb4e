#include "app/windows/path_for_box.h"

#include <algorithm>
#include <string_view>

#include "app/windows/text_columns.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Where the start of a path that pathForBox keeps ends: after the root or drive and the first
// folder with its separator ("Z:\\logs\\", "/home/"); the text's end when it has no such folder.
std::size_t keptStartEnd(std::string_view text) {
  const auto separatorFrom = [&](std::size_t from) {
    return static_cast<std::size_t>(
        std::find_if(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), isSeparator) -
        text.begin());
  };
  std::size_t end = separatorFrom(0);
  const bool afterRootOrDrive = end == 0 || (end < text.size() && text[end - 1] == ':');
  if (afterRootOrDrive) end = separatorFrom(end + 1);
  return std::min(end + 1, text.size());
}

}  // namespace

std::string pathForBox(const std::filesystem::path& path, std::size_t widest) {
  const std::string text = displayPath(path);
  if (columnsOf(text) <= widest) return text;
  const std::size_t startEnd = keptStartEnd(text);
  const std::size_t nameStart = text.find_last_of("/\\") + 1;
  if (startEnd >= nameStart) return text;
  const std::string_view start(text.data(), startEnd);
  const std::string ellipsis = std::string("...") + text[startEnd - 1];
  // The end: the file name, and as many folders before it as leave the whole within `widest`.
  const std::size_t fixed = columnsOf(start) + columnsOf(ellipsis);
  std::size_t endStart = nameStart;
  while (endStart > startEnd) {
    std::size_t folderStart = endStart - 1;
    while (folderStart > startEnd && !isSeparator(text[folderStart - 1])) --folderStart;
    if (fixed + columnsOf(std::string_view(text).substr(folderStart)) > widest) break;
    endStart = folderStart;
  }
  return std::string(start) + ellipsis + text.substr(endStart);
}

}  // namespace trelvox
