#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "app/logbook_gathering.h"
#include "app/windows/conversion_outcome.h"

namespace trelvox {

// The logbook page a dropped folder of logs gets: logbook.html in that folder.
std::filesystem::path logbookPageIn(const std::filesystem::path& folder);

// The pages a drop writes, in the order dropped: one in each dropped folder that holds a log, each
// folder once.
std::vector<std::filesystem::path> logbookPagesOf(std::span<const std::filesystem::path> dropped);

// The dropped folders' pages, each over the logs converted from its own folder, in the dialog's
// language.
class FolderPages {
 public:
  FolderPages(std::span<const std::filesystem::path> pages, Language language,
              char decimalSeparator);

  // Adds a dropped log to its folder's page, if that folder has one: with what it converted, or
  // with the failure's message when it failed.
  void add(const ConversionOutcome& outcome, const std::optional<ConversionResult>& result);
  // Marks a dropped log kept whose existing CSV file the user chose to keep, and when its folder
  // has a page reads it, writing nothing, and adds it as add does.
  void addKept(ConversionOutcome& outcome, Separators separators,
               const std::function<SystemReason(const std::filesystem::path&)>& systemReason);
  // Writes every page, replacing an older one (the user has been asked), and returns how each went
  // as its folder's outcome (the page as the output). `systemReason` is as for convertLog.
  std::vector<ConversionOutcome> write(
      const std::function<SystemReason(const std::filesystem::path&)>& systemReason);

 private:
  struct Page {
    std::filesystem::path folder;  // resolved, to match the logs' folders
    LogbookGathering gathering;
  };
  Page* pageOf(const std::filesystem::path& log);

  Language language_;
  std::vector<Page> pages_;
};

// The pages among the outcomes of FolderPages::write that were written, to offer to open.
std::vector<std::filesystem::path> writtenPages(std::span<const ConversionOutcome> pageOutcomes);

}  // namespace trelvox
