#include "app/windows/shell_logic.h"

#include <algorithm>

#include "conversion/log_files.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;

bool extensionIs(const fs::path& path, std::u8string_view wanted) {
  const std::u8string extension = path.extension().u8string();
  return std::ranges::equal(extension, wanted, [](char8_t a, char8_t b) {
    return (a >= u8'a' && a <= u8'z' ? static_cast<char8_t>(a - (u8'a' - u8'A')) : a) == b;
  });
}

}  // namespace

Language languageFromLangId(std::uint16_t langId) {
  switch (langId & kPrimaryLanguageMask) {
    case kLangIdGerman& kPrimaryLanguageMask:
      return Language::kGerman;
    case kLangIdJapanese& kPrimaryLanguageMask:
      return Language::kJapanese;
    default:
      return Language::kEnglish;
  }
}

std::uint16_t langIdOf(Language language) {
  switch (language) {
    case Language::kGerman:
      return kLangIdGerman;
    case Language::kJapanese:
      return kLangIdJapanese;
    case Language::kEnglish:
      break;
  }
  return kLangIdEnglish;
}

char separatorFromLocaleText(std::u16string_view localeText, char fallback) {
  if (localeText.empty() || localeText.front() == u'\0' || localeText.front() > 0x7F) {
    return fallback;
  }
  return static_cast<char>(localeText.front());
}

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

bool isLogFile(const fs::path& path) {
  return extensionIs(path, u8".KLD") || extensionIs(path, u8".KLI");
}

fs::path droppedLogOutput(const fs::path& log) {
  fs::path output = basePathOf(log);
  output += ".csv";
  return output;
}

std::vector<DropOutcome> planDrop(std::span<const fs::path> dropped) {
  std::vector<DropOutcome> plan;
  std::vector<fs::path> bases;
  for (const fs::path& path : dropped) {
    if (!isLogFile(path)) {
      plan.push_back({path, {}, MessageId::kCannotReadFile});
      continue;
    }
    const fs::path base = basePathOf(path);
    if (std::ranges::find(bases, base) != bases.end()) continue;
    bases.push_back(base);
    plan.push_back({path, droppedLogOutput(path), std::nullopt});
  }
  return plan;
}

std::string dropReport(std::span<const DropOutcome> outcomes, Language language) {
  std::string report;
  for (const DropOutcome& outcome : outcomes) {
    if (!report.empty()) report += '\n';
    if (outcome.failure) {
      report += displayPath(outcome.log.filename());
      report += ": ";
      report += message(static_cast<int>(*outcome.failure), language);
    } else {
      report += successMessage(displayPath(outcome.output.filename()), language);
    }
  }
  return report;
}

}  // namespace trelvox
