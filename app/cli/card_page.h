#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "app/cli/batch.h"
#include "app/logbook_gathering.h"

namespace trelvox {

// The logbook page of --logbook-page: what each log of the call gives it, gathered as the logs
// are reported, and the page written once all are done.
class CardPage {
 public:
  explicit CardPage(const BatchOptions& options);

  void addConverted(const std::filesystem::path& log, const ConversionResult& result) {
    gathering_.addConverted(log, result);
  }
  void addFailed(const std::filesystem::path& logOrFolder, std::string reason) {
    gathering_.addFailed(logOrFolder, std::move(reason));
  }
  // Writes the page under a temporary name and renames it into place; says so on `messages`, or
  // why not on `err`. A call without a log writes none.
  bool write(std::ostream& messages, std::ostream& err);

 private:
  const BatchOptions& options_;
  LogbookGathering gathering_;
};

}  // namespace trelvox
