#pragma once

#include <filesystem>
#include <string>

#include "app/messages.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {

// "Cannot create output file. (out/x.csv: Permission denied)": the message, the file and the
// system's reason in the words of the user's locale; for a limits file's fault, the message
// followed by the fault's own text.
std::string failureReason(const TelemetryLogException& e, Language language);

// "x.KLD: Cannot create output file. (out/x.csv: Permission denied)": the message, the file and
// the system's reason in the words of the user's locale, as one line.
std::string failureText(const std::filesystem::path& file, const TelemetryLogException& e,
                        Language language);

}  // namespace trelvox
