#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "app/cli/batch.h"
#include "conversion/log_converter.h"
#include "outputs/logbook/logbook_page.h"

namespace trelvox {

// The logbook page of --logbook-page: what each log of the call gives it, gathered as the logs
// are reported, and the page written once all are done.
class CardPage {
 public:
  explicit CardPage(const BatchOptions& options);

  void addConverted(const std::filesystem::path& log, const ConversionResult& result);
  void addFailed(const std::filesystem::path& logOrFolder, std::string reason);
  // Writes the page under a temporary name and renames it into place; says so on `messages`, or
  // why not on `err`. A call without a log writes none.
  bool write(std::ostream& messages, std::ostream& err);

 private:
  std::string pathFromPage(const std::filesystem::path& file) const;
  std::optional<std::string> logPageOf(const std::filesystem::path& log,
                                       const ConversionResult& result) const;

  const BatchOptions& options_;
  std::filesystem::path page_;
  std::filesystem::path folder_;
  std::vector<LogbookEntry> logs_;
  std::vector<FailedLog> failed_;
};

}  // namespace trelvox
