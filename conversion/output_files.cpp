#include "conversion/output_files.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <iterator>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "conversion/log_files.h"
#include "conversion/path_text.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

// Tells this process's temporary names from those of another process converting into the same
// folder at the same time, whose count starts at 0 as well: sharing a name, the two would write
// into one file. Creating the file exclusively is no help, since the Windows build's C runtime
// ignores fopen's "x".
const std::string& processTag() {
  static const std::string tag = [] {
    std::random_device random;
    const std::uint64_t bits = (std::uint64_t{random()} << 32) | random();
    char digits[16];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), bits, 16).ptr;
    return std::string(std::begin(digits), end);
  }();
  return tag;
}

// The longest name most file systems take: 255 bytes (ext4) or UTF-16 units (NTFS, exFAT).
constexpr std::size_t kLongestName = 255;

// Whether a name may be cut before `unit` (UTF-8 on POSIX, UTF-16 on Windows) without splitting a
// character, which a file system such as exFAT would refuse.
template <typename Unit>
bool beginsACharacter(Unit unit) {
  if constexpr (sizeof(Unit) == 1) {
    return (static_cast<unsigned char>(unit) & 0xC0) != 0x80;
  } else {
    return unit < 0xDC00 || unit > 0xDFFF;
  }
}

// A name beside `path` that no other output uses: hidden, and marked as unfinished. The output's
// name is cut where the whole would be longer than a name may be.
fs::path temporaryNameFor(const fs::path& path) {
  static std::atomic<unsigned> counter{0};
  const fs::path mark = ".part" + processTag() + "-" + std::to_string(counter++);
  fs::path::string_type kept = path.filename().native();
  std::size_t room = kLongestName - 1 - mark.native().size();
  if (kept.size() > room) {
    while (room > 0 && !beginsACharacter(kept[room])) --room;
    kept.resize(room);
  }
  fs::path name = path;
  name.replace_filename(fs::path(".") += fs::path(kept));
  return name += mark;
}

// The files this process has begun under a temporary name and not yet named or removed. Never
// destroyed: a shell may empty it while the process ends.
struct UnfinishedFiles {
  std::mutex mutex;
  std::set<fs::path> paths;
};

UnfinishedFiles& unfinishedFiles() {
  static UnfinishedFiles& files = *new UnfinishedFiles;
  return files;
}

// Creates the file `path` with `create` (which returns whether it did) and keeps its name among
// the unfinished files. The creation happens under the list's lock, so that no file is begun
// unseen by removeUnfinishedFiles.
template <typename Create>
bool beginUnfinished(const fs::path& path, Create create) {
  UnfinishedFiles& files = unfinishedFiles();
  const std::lock_guard lock(files.mutex);
  if (!create()) return false;
  files.paths.insert(path);
  return true;
}

// `path` is named or removed.
void endUnfinished(const fs::path& path) {
  UnfinishedFiles& files = unfinishedFiles();
  const std::lock_guard lock(files.mutex);
  files.paths.erase(path);
}

void removeTemporary(const fs::path& path) {
  std::error_code error;
  fs::remove(path, error);
  endUnfinished(path);
}

}  // namespace

void removeUnfinishedFiles(void (*closeFiles)()) {
  UnfinishedFiles& files = unfinishedFiles();
  // Kept locked: the process ends next, and no file may be begun before it has. Locked before the
  // files are closed: a file begun between the two would be open, and stay.
  files.mutex.lock();
  if (closeFiles != nullptr) closeFiles();
  for (const fs::path& path : files.paths) {
    std::error_code error;
    fs::remove(path, error);
  }
}

fs::path resolvedPath(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::absolute(path, error);
  if (!error) resolved = fs::weakly_canonical(resolved, error);
  return error ? path.lexically_normal() : resolved;
}

bool isSameOutput(const fs::path& a, const fs::path& b) {
  return isSameFile(a, b) || resolvedPath(a) == resolvedPath(b);
}

namespace {

// The file a path leads to: a symbolic link's target, relative to the link's folder, followed as
// far as the system would (a loop of links is left for the system to refuse).
fs::path linkTarget(const fs::path& path) {
  fs::path target = path;
  std::error_code error;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, error)); ++hops) {
    const fs::path next = fs::read_symlink(target, error);
    if (error) break;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return target;
}

}  // namespace

bool FileSink::open(const fs::path& path, const fs::path& shownAs) {
  shownAs_ = shownAs.empty() ? path : shownAs;
  errno = 0;
  file_ = openFile(path, "wb");
  // The writer above hands over large blocks already; a second buffer would only copy them.
  if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);
  return file_ != nullptr;
}

void FileSink::write(std::span<const char> bytes) {
  if (file_ == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput, displayPath(shownAs_),
                                lastSystemError());
  }
}

void FileSink::close() {
  if (file_ == nullptr) return;
  std::FILE* file = file_;
  file_ = nullptr;
  const bool flushed = std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!flushed || !closed) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput, displayPath(shownAs_),
                                lastSystemError());
  }
}

FileSink::~FileSink() {
  if (file_ != nullptr) std::fclose(file_);
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::open(const fs::path& path, ExistingOutput existing) {
  discard();
  std::error_code error;
  if (existing == ExistingOutput::kRefuse && fs::exists(path, error)) {
    throw TelemetryLogException(MessageId::kOutputExists, displayPath(path));
  }
  path_ = path;
  target_ = linkTarget(path);
  // Something other than a regular file (a device, a pipe; a folder, which then fails to open) is
  // written directly.
  const fs::file_status found = fs::status(target_, error);
  temporary_ =
      fs::exists(found) && !fs::is_regular_file(found) ? fs::path() : temporaryNameFor(target_);
  const bool opened =
      temporary_.empty()
          ? file_.open(target_, path)
          : beginUnfinished(temporary_, [&] { return file_.open(temporary_, path); });
  if (!opened) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput, displayPath(path),
                                lastSystemError());
  }
  open_ = true;
}

void OutputFile::write(std::span<const char> bytes) { file_.write(bytes); }

void OutputFile::store() {
  if (open_) file_.close();
}

void OutputFile::commit() {
  if (!open_) return;
  store();
  open_ = false;
  if (temporary_.empty()) return;
  std::error_code error;
  fs::rename(temporary_, target_, error);
  if (error) {
    removeTemporary(temporary_);
    throw TelemetryLogException(MessageId::kCannotCreateOutput, displayPath(path_), error);
  }
  endUnfinished(temporary_);
  temporary_.clear();
}

void OutputFile::discard() {
  if (!open_) return;
  open_ = false;
  try {
    file_.close();
  } catch (const TelemetryLogException&) {
    // The bytes are dropped anyway.
  }
  if (!temporary_.empty()) removeTemporary(temporary_);
  temporary_.clear();
}

void ScratchFile::beside(const fs::path& output) {
  remove();
  output_ = output;
}

void ScratchFile::write(std::span<const char> bytes) {
  if (file_ == nullptr) {
    path_ = temporaryNameFor(output_);
    errno = 0;
    if (!beginUnfinished(path_, [&] { return (file_ = openFile(path_, "w+b")) != nullptr; })) {
      throw TelemetryLogException(MessageId::kCannotCreateOutput, displayPath(output_),
                                  lastSystemError());
    }
    std::setvbuf(file_, nullptr, _IONBF, 0);  // as FileSink: the blocks come large already
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput, displayPath(output_),
                                lastSystemError());
  }
}

void ScratchFile::moveTo(ByteSink& sink) {
  if (file_ == nullptr) return;
  if (std::fflush(file_) != 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput, displayPath(output_),
                                lastSystemError());
  }
  std::vector<char> block(64 * 1024);
  while (const std::size_t count = std::fread(block.data(), 1, block.size(), file_)) {
    sink.write({block.data(), count});
  }
  if (std::ferror(file_)) {
    throw TelemetryLogException(MessageId::kCannotCreateOutput, displayPath(output_),
                                lastSystemError());
  }
  remove();
}

void ScratchFile::remove() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  file_ = nullptr;
  removeTemporary(path_);
}

}  // namespace trelvox
