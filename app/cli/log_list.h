#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace trelvox {

// The data files the arguments name, in their order: a file as it is, a folder as every .KLD in
// it (any case of the extension, sorted by name), with `recursive` also those in its subfolders.
std::vector<std::filesystem::path> logsNamedBy(const std::vector<std::string>& arguments,
                                               bool recursive);

}  // namespace trelvox
