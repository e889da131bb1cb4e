#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "app/cli/batch.h"
#include "conversion/conversion_request.h"
#include "outputs/text/byte_sink.h"

namespace trelvox {

// What the command line asks of the conversion of `log`: the CSV beside it, or where -o says, or
// into `standardOutput`; each side file asked for beside the CSV (beside the log where there is
// none), named after the log with its row's extension.
ConversionRequest requestFor(const BatchOptions& options, const std::filesystem::path& log,
                             ByteSink* standardOutput);

// For each log, the first of its files that a log before it writes too, if any: "x.KLD" and "x.kld"
// are two logs on most file systems but both write x.csv, the second over the first. The first
// is converted, the second fails, whatever --force and -j say.
std::vector<std::optional<std::filesystem::path>> outputsTakenBefore(const BatchOptions& options);

}  // namespace trelvox
