#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/messages.h"
#include "conversion/log_converter.h"
#include "conversion/output_files.h"
#include "outputs/logbook/logbook_page.h"

namespace trelvox {

// A logbook page and what each of its logs gives it, gathered as the logs are converted; both
// shells write theirs with it (the command line's --logbook-page, the dialog's dropped folder).
class LogbookGathering {
 public:
  LogbookGathering(std::filesystem::path page, Language language, char decimalSeparator);

  void addConverted(const std::filesystem::path& log, const ConversionResult& result);
  void addFailed(const std::filesystem::path& logOrFolder, std::string reason);
  // Writes the page under a temporary name and renames it into place; throws
  // TelemetryLogException as a conversion does.
  void write(ExistingOutput existing);

  const std::filesystem::path& page() const { return page_; }

 private:
  std::string pathFromPage(const std::filesystem::path& file) const;
  std::optional<std::string> logPageOf(const std::filesystem::path& log,
                                       const ConversionResult& result) const;

  std::filesystem::path page_;
  std::filesystem::path folder_;
  Language language_;
  char decimalSeparator_;
  std::vector<LogbookEntry> logs_;
  std::vector<FailedLog> failed_;
};

}  // namespace trelvox
