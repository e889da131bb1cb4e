#include "app/cli/failure_text.h"

#include "app/limits_fault_text.h"
#include "conversion/path_text.h"

namespace trelvox {

std::string failureReason(const TelemetryLogException& e, Language language) {
  if (const LimitsFault* fault = e.limitsFault()) {
    // Japanese sentences follow each other without a space.
    const std::string_view between = language == Language::kJapanese ? "" : " ";
    return std::string(message(e.messageId(), language))
        .append(between)
        .append(limitsFaultText(*fault, language));
  }
  std::string detail = e.what();
  if (e.reason()) detail += (detail.empty() ? "" : ": ") + e.reason().message();
  return std::string(message(e.messageId(), language)) + " (" + detail + ")";
}

std::string failureText(const std::filesystem::path& file, const TelemetryLogException& e,
                        Language language) {
  return displayPath(file) + ": " + failureReason(e, language) + "\n";
}

}  // namespace trelvox
