#include "app/windows/folder_pages.h"

#include <algorithm>

#include "app/log_list.h"
#include "app/windows/outcome_texts.h"
#include "conversion/output_files.h"
#include "conversion/path_text.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {
namespace fs = std::filesystem;

fs::path logbookPageIn(const fs::path& folder) { return folder / "logbook.html"; }

std::vector<fs::path> logbookPagesOf(std::span<const fs::path> dropped) {
  std::vector<fs::path> pages;
  std::vector<fs::path> folders;
  for (const fs::path& path : dropped) {
    std::error_code error;
    if (!fs::is_directory(path, error)) continue;
    if (logsNamedBy({displayPath(path)}, false).logs.empty()) continue;
    const fs::path folder = resolvedPath(path);
    if (std::ranges::find(folders, folder) != folders.end()) continue;
    folders.push_back(folder);
    pages.push_back(logbookPageIn(path));
  }
  return pages;
}

FolderPages::FolderPages(std::span<const fs::path> pages, Language language, char decimalSeparator)
    : language_(language) {
  for (const fs::path& page : pages) {
    pages_.push_back(
        {resolvedPath(page.parent_path()), LogbookGathering(page, language, decimalSeparator)});
  }
}

FolderPages::Page* FolderPages::pageOf(const fs::path& log) {
  const fs::path folder = resolvedPath(log.parent_path());
  const auto page = std::ranges::find(pages_, folder, &Page::folder);
  return page == pages_.end() ? nullptr : &*page;
}

void FolderPages::add(const ConversionOutcome& outcome,
                      const std::optional<ConversionResult>& result) {
  Page* page = pageOf(outcome.log);
  if (page == nullptr) return;
  if (result) {
    page->gathering.addConverted(outcome.log, *result);
  } else if (outcome.failure) {
    page->gathering.addFailed(outcome.log, std::string(message(*outcome.failure, language_)));
  }
}

void FolderPages::addKept(ConversionOutcome& outcome, Separators separators,
                          const std::function<SystemReason(const fs::path&)>& systemReason) {
  outcome.kept = true;
  outcome.failure.reset();
  if (pageOf(outcome.log) == nullptr) return;
  add(outcome, readKeptLog(outcome, separators, language_, systemReason));
}

std::vector<ConversionOutcome> FolderPages::write(
    const std::function<SystemReason(const fs::path&)>& systemReason) {
  std::vector<ConversionOutcome> outcomes;
  for (Page& page : pages_) {
    const fs::path& file = page.gathering.page();
    ConversionOutcome& outcome = outcomes.emplace_back(file.parent_path(), file, std::nullopt);
    try {
      page.gathering.write(ExistingOutput::kReplace);
    } catch (const TelemetryLogException& e) {
      const SystemReason reason = systemReason(file);
      outcome.failure = e.messageId();
      outcome.linesBelow = failureReason(e.messageId(), outcome.log, file, reason, language_);
    }
  }
  return outcomes;
}

std::vector<fs::path> writtenPages(std::span<const ConversionOutcome> pageOutcomes) {
  std::vector<fs::path> pages;
  for (const ConversionOutcome& outcome : pageOutcomes) {
    if (!outcome.failure) pages.push_back(outcome.output);
  }
  return pages;
}

}  // namespace trelvox
