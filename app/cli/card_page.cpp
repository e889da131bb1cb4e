#include "app/cli/card_page.h"

#include "app/cli/failure_text.h"
#include "app/messages.h"
#include "conversion/path_text.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {

CardPage::CardPage(const BatchOptions& options)
    : options_(options),
      gathering_(pathFromUtf8(options.logbookPage), options.language, options.separators.decimal) {}

bool CardPage::write(std::ostream& messages, std::ostream& err) {
  if (options_.logs.empty()) return true;
  const std::filesystem::path& page = gathering_.page();
  try {
    gathering_.write(options_.force ? ExistingOutput::kReplace : ExistingOutput::kRefuse);
    messages << successMessage(displayPath(page.filename()), options_.language) << '\n';
    return true;
  } catch (const TelemetryLogException& e) {
    err << failureText(page, e, options_.language);
    return false;
  }
}

}  // namespace trelvox
