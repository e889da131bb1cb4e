#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/messages.h"
#include "app/windows/conversion_outcome.h"

namespace trelvox {

// One entry of a file dialog's type list.
struct FileTypeFilter {
  std::string description;
  std::string pattern;
};

// Splits a filter text of the form "Description|*.ext|...||" into its pairs; the list ends at an
// empty description or at the end of the text, and a description without a pattern is dropped.
std::vector<FileTypeFilter> splitFilter(std::string_view filter);

// Where the save dialog opens after the log `chosenLog` was picked: the log's folder, with the
// log's name without extension as the proposed file name.
struct SaveProposal {
  std::filesystem::path folder;
  std::filesystem::path fileName;
};
SaveProposal proposeSaveName(const std::filesystem::path& chosenLog);

// Where the Open dialog starts: in the remembered folder of the last log opened, while that
// folder still exists (a memory card may have gone); otherwise where the system starts it.
std::optional<std::filesystem::path> openDialogFolder(const std::filesystem::path& remembered);

// Where the Report command writes the page: beside the CSV file, under its name with ".html".
std::filesystem::path reportPageBeside(const std::filesystem::path& csv);

// The files besides the CSV file (the page) that the conversion would replace. The Save dialog
// asks only about the CSV file: the dialog asks about each of these before anything is written.
std::vector<std::filesystem::path> sideFilesToReplace(const ConversionOutcome& outcome);

// The question asked before an existing `file` is replaced: its name, then message 202.
std::string replaceQuestion(const std::filesystem::path& file, Language language);

}  // namespace trelvox
