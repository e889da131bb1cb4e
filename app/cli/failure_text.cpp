#include "app/cli/failure_text.h"

#include "conversion/path_text.h"

namespace trelvox {

std::string failureText(const std::filesystem::path& file, const TelemetryLogException& e,
                        Language language) {
  std::string detail = e.what();
  if (e.reason()) detail += (detail.empty() ? "" : ": ") + e.reason().message();
  return displayPath(file) + ": " +
         std::string(message(e.messageId(), language)) + " (" + detail + ")\n";
}

}  // namespace trelvox
