#include "app/windows/file_choices.h"

#include "conversion/log_files.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace fs = std::filesystem;

std::vector<FileTypeFilter> splitFilter(std::string_view filter) {
  std::vector<FileTypeFilter> filters;
  while (!filter.empty()) {
    const std::size_t descriptionEnd = filter.find('|');
    if (descriptionEnd == 0 || descriptionEnd == std::string_view::npos) break;
    const std::size_t patternEnd = filter.find('|', descriptionEnd + 1);
    const std::size_t patternLength =
        (patternEnd == std::string_view::npos ? filter.size() : patternEnd) - descriptionEnd - 1;
    if (patternLength > 0) {
      filters.push_back({std::string(filter.substr(0, descriptionEnd)),
                         std::string(filter.substr(descriptionEnd + 1, patternLength))});
    }
    if (patternEnd == std::string_view::npos) break;
    filter.remove_prefix(patternEnd + 1);
  }
  return filters;
}

SaveProposal proposeSaveName(const fs::path& chosenLog) {
  const fs::path base = basePathOf(chosenLog);
  return {base.parent_path(), base.filename()};
}

std::optional<fs::path> openDialogFolder(const fs::path& remembered) {
  std::error_code error;
  if (remembered.empty() || !fs::is_directory(remembered, error)) return std::nullopt;
  return remembered;
}

fs::path reportPageBeside(const fs::path& csv) { return fs::path(csv).replace_extension(".html"); }

std::vector<fs::path> sideFilesToReplace(const ConversionOutcome& outcome) {
  std::vector<fs::path> existing;
  std::error_code error;
  if (outcome.page && fs::exists(*outcome.page, error)) existing.push_back(*outcome.page);
  return existing;
}

std::string replaceQuestion(const fs::path& file, Language language) {
  return displayPath(file.filename()) +
         std::string(message(MessageId::kReplaceOutputQuestion, language));
}

}  // namespace trelvox
