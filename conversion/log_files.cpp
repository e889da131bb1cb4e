#include "conversion/log_files.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "conversion/path_text.h"
#include "conversion/telemetry_log_exception.h"
#include "values/ascii_case.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

// `extension` (".KLD" or ".KLI") with each letter in the case of the same letter of `like`.
fs::path spelledLike(const std::u8string& like, std::u8string extension) {
  for (std::size_t i = 0; i < extension.size() && i < like.size(); ++i) {
    if (like[i] >= u8'a' && like[i] <= u8'z') extension[i] = asciiLower(extension[i]);
  }
  return extension;
}

bool isThere(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

}  // namespace

fs::path basePathOf(const fs::path& chosen) {
  fs::path base = chosen;
  return base.replace_extension();
}

fs::path companionFile(const fs::path& base, const fs::path& extension) {
  fs::path exact = base;
  exact += extension;
  if (isThere(exact)) return exact;

  std::error_code error;
  const fs::path folder = base.has_parent_path() ? base.parent_path() : fs::path(".");
  const fs::path wantedName = base.filename();
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path& candidate = it->path();
    if (candidate.stem() == wantedName &&
        equalIgnoringAsciiCase(candidate.extension().u8string(), extension.u8string())) {
      return base.has_parent_path() ? candidate : candidate.filename();
    }
  }
  return exact;
}

LogFiles logFilesOf(const fs::path& log) {
  const std::u8string extension = log.extension().u8string();
  const bool namesData = equalIgnoringAsciiCase(extension, u8".KLD");
  const bool namesInfo = equalIgnoringAsciiCase(extension, u8".KLI");
  if (namesData || namesInfo) {
    if (isThere(log)) {
      const fs::path companion =
          companionFile(basePathOf(log), spelledLike(extension, namesData ? u8".KLI" : u8".KLD"));
      return namesData ? LogFiles{log, companion} : LogFiles{companion, log};
    }
  } else {
    LogFiles whole{companionFile(log, ".KLD"), companionFile(log, ".KLI")};
    if (isThere(whole.data) || isThere(whole.info)) return whole;
  }
  const fs::path base = basePathOf(log);
  return {companionFile(base, ".KLD"), companionFile(base, ".KLI")};
}

bool isSameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

bool isOneOfTheLogsFiles(const fs::path& file, const fs::path& log) {
  const LogFiles files = logFilesOf(log);
  return isSameFile(file, files.data) || isSameFile(file, files.info);
}

bool FileSource::open(const fs::path& path) {
  close();
  std::error_code error;
  // A folder opens on some systems and then fails to read: refuse it here.
  if (fs::is_directory(path, error)) {
    errno = EISDIR;
    return false;
  }
  path_ = path;
  errno = 0;
  file_ = openFile(path, "rb");
  return file_ != nullptr;
}

std::size_t FileSource::read(std::span<std::uint8_t> into) {
  if (file_ == nullptr) return 0;
  const std::size_t count = std::fread(into.data(), 1, into.size(), file_);
  if (count < into.size() && std::ferror(file_)) {
    throw TelemetryLogException(MessageId::kCannotReadFile, displayPath(path_), lastSystemError());
  }
  return count;
}

void FileSource::close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace trelvox
