#pragma once

// Hints to the system's file cache that make replacing an output cheaper. Only Linux takes them;
// elsewhere they do nothing. Neither changes a byte of any file: a hint that fails leaves the
// system to do the same work later, as without it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace trelvox {

// Starts writing the `size` bytes at `offset` of `file`, already handed to the system, to the disk
// without waiting for them.
void startWritingBack(std::FILE* file, std::uint64_t offset, std::size_t size);

// Drops the cached pages of the file at `path`, which is about to be replaced. Returns once done.
void dropCachedPages(const std::filesystem::path& path);

// Whether the hints do anything on this system, so that callers start no work for nothing.
constexpr bool kDiskHintsTaken =
#ifdef __linux__
    true;
#else
    false;
#endif

}  // namespace trelvox
