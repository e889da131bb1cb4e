#include "conversion/disk_hints.h"

#ifdef __linux__
#include <fcntl.h>
#include <unistd.h>
#endif

namespace trelvox {

#ifdef __linux__

void startWritingBack(std::FILE* file, std::uint64_t offset, std::size_t size) {
  sync_file_range(fileno(file), static_cast<off_t>(offset), static_cast<off_t>(size),
                  SYNC_FILE_RANGE_WRITE);
}

void dropCachedPages(const std::filesystem::path& path) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return;
  posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED);
  close(descriptor);
}

#else

void startWritingBack(std::FILE*, std::uint64_t, std::size_t) {}
void dropCachedPages(const std::filesystem::path&) {}

#endif

}  // namespace trelvox
