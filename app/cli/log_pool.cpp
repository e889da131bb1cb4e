#include "app/cli/log_pool.h"

#include <optional>

#ifdef _WIN32
#include <cstdio>
#else
#include <sys/resource.h>
#endif

namespace trelvox {
namespace {

// How many files the process may have open, if the system limits it.
std::optional<std::size_t> openFileLimit() {
#ifdef _WIN32
  return static_cast<std::size_t>(_getmaxstdio());
#else
  rlimit limit{};
  if (getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(limit.rlim_cur);
#endif
}

}  // namespace

std::size_t jobsWithinFileLimit(std::size_t jobs, std::size_t filesPerLog) {
  // Standard streams, the logbook and what the system's libraries open.
  constexpr std::size_t kReservedFiles = 16;
  const std::optional<std::size_t> limit = openFileLimit();
  if (!limit) return jobs;
  const std::size_t room = *limit > kReservedFiles ? *limit - kReservedFiles : 0;
  return std::clamp<std::size_t>(room / filesPerLog, 1, jobs);
}

}  // namespace trelvox
