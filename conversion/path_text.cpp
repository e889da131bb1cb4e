#include "conversion/path_text.h"

namespace trelvox {

std::FILE* openFile(const std::filesystem::path& path, std::string_view mode) {
#ifdef _WIN32
  return _wfopen(path.c_str(), std::wstring(mode.begin(), mode.end()).c_str());
#else
  return std::fopen(path.c_str(), std::string(mode).c_str());
#endif
}

std::string displayPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

std::filesystem::path pathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace trelvox
