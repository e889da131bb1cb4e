#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "app/cli/batch.h"
#include "app/cli/standard_output.h"

namespace trelvox {

// Why the logbook or the logbook page the call names cannot be written, as the line that says so,
// if it cannot; known before any log is converted rather than after all of them.
std::optional<std::string> logbookRefusal(const BatchOptions& options);

// Writes the logbook's header and `rows` to standard output, or under a temporary name and then
// gives it its name, which goes to `messages`; a failure goes to `err`. Returns whether it was
// written.
bool writeLogbook(const BatchOptions& options, const std::string& rows, StreamSink& out,
                  std::ostream& messages, std::ostream& err);

}  // namespace trelvox
