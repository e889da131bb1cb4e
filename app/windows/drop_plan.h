#pragma once

#include <filesystem>
#include <span>
#include <vector>

#include "app/windows/conversion_outcome.h"

namespace trelvox {

// A file dropped onto the program or its window is converted beside itself when it is a log file
// (either file of the pair, any case of the extension); the CSV takes the log's base name.
bool isLogFile(const std::filesystem::path& path);
std::filesystem::path droppedLogOutput(const std::filesystem::path& log);

// What to do with a set of dropped files and folders, in the order dropped: one entry per log to
// convert, a folder standing for the logs (.KLD, any case) in it as on the command line, each log
// once however it was named (dropping NAME.KLD and NAME.KLI together converts NAME once). A file
// that is no log, or a folder without any, gets an entry that already failed and says so, so that
// the user learns why nothing came of it.
std::vector<ConversionOutcome> planDrop(std::span<const std::filesystem::path> dropped);

}  // namespace trelvox
