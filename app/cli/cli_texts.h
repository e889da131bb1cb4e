#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/messages.h"
#include "conversion/telemetry_log_exception.h"
#include "outputs/summary/summary_text.h"

namespace trelvox {

// The words of `--summary` in the message language.
const SummaryLabels& summaryLabels(Language language);

// The note for a log that has no position when a track was asked for.
std::string_view noPositionNote(Language language);

// The failure of a folder named on the command line that gave no log to convert.
std::string_view noLogInFolderNote(Language language);

}  // namespace trelvox
