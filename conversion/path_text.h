#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace trelvox {

// Paths as UTF-8 text and back. On Windows a path is UTF-16 and path::string() goes through the
// ANSI code page, which throws for names such as Japanese folder names; these two keep every name
// intact on every platform (on POSIX they pass the bytes through unchanged).
std::string displayPath(const std::filesystem::path& path);
std::filesystem::path pathFromUtf8(std::string_view text);

// std::fopen with `mode` as it takes it ("rb", "wb", "w+b"), by the path's wide name on Windows,
// where the narrow one goes through the ANSI code page.
std::FILE* openFile(const std::filesystem::path& path, std::string_view mode);

}  // namespace trelvox
