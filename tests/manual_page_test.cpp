#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// The manual page as installed: the hand-written page with the project's version put in.
std::vector<std::string> manualPage() { return linesOf(readFile(TRELVOX_MANUAL_PAGE)); }

std::string helpText() {
  const char* const argv[] = {"trelvox", "--help"};
  std::ostringstream out;
  std::ostringstream err;
  runCommandLine(2, argv, CommandLineDefaults{}, out, err);
  return out.str();
}

// "-o" and "--output" in "  -o, --output FILE ..." or in roff's ".BR \-o ", " \-\-output".
std::set<std::string> optionNames(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
  static const std::regex kName(R"((^|[ "])(--?[a-z]+))");
  std::set<std::string> names;
  for (std::sregex_iterator match(text.begin(), text.end(), kName), end; match != end; ++match) {
    names.insert((*match)[2]);
  }
  return names;
}

// The options of --help: the names in the first column of each line under "Options:".
std::set<std::string> helpOptions() {
  std::set<std::string> names;
  bool inOptions = false;
  for (const std::string& line : linesOf(helpText())) {
    if (line.empty()) inOptions = false;
    if (inOptions) names.merge(optionNames(line.substr(0, line.find("  ", 2))));
    if (line == "Options:") inOptions = true;
  }
  return names;
}

// The options the page describes: the tags of the .TP entries under OPTIONS.
std::set<std::string> manualPageOptions() {
  std::set<std::string> names;
  std::string section;
  const std::vector<std::string> page = manualPage();
  for (std::size_t k = 0; k + 1 < page.size(); ++k) {
    if (page[k].starts_with(".SH ")) section = page[k].substr(4);
    if (section == "OPTIONS" && page[k] == ".TP") names.merge(optionNames(page[k + 1]));
  }
  return names;
}

TEST(ManualPage, DescribesEveryOptionOfTheHelpAndNoOther) {
  const std::set<std::string> help = helpOptions();
  EXPECT_THAT(help, ::testing::Contains("--lang"));
  EXPECT_EQ(manualPageOptions(), help);
}

// What the call takes after its options: "LOG.KLD|FOLDER..." in the usage line of --help, and in
// the page's synopsis with roff's font requests taken out.
std::string helpOperands() {
  const std::string usage = linesOf(helpText()).front();
  return usage.substr(usage.find("[options] ") + 10);
}

std::string manualPageOperands() {
  const std::vector<std::string> page = manualPage();
  const auto synopsis = std::find(page.begin(), page.end(), ".SH SYNOPSIS");
  std::string operands;
  for (auto line = synopsis + 1; line < page.end() && !line->starts_with(".SH "); ++line) {
    if (line->find("options") != std::string::npos || !line->starts_with(".I")) continue;
    const std::string words =
        std::regex_replace(line->substr(line->find(' ') + 1), std::regex(R"( |\f[BIRP])"), "");
    operands += words;
  }
  return operands;
}

// A reader of --help alone must learn that folders are taken too.
TEST(ManualPage, NamesWhatTheCallTakesAsTheHelpDoes) {
  EXPECT_EQ(helpOperands(), "LOG.KLD|FOLDER...");
  EXPECT_EQ(manualPageOperands(), helpOperands());
}

TEST(ManualPage, HasTheUsualSectionsInTheUsualOrder) {
  const std::set<std::string> required{"NAME",  "SYNOPSIS",    "DESCRIPTION", "OPTIONS",
                                       "FILES", "EXIT STATUS", "EXAMPLES"};
  std::vector<std::string> found;
  for (const std::string& line : manualPage()) {
    if (line.starts_with(".SH ") && required.contains(line.substr(4)))
      found.push_back(line.substr(4));
  }
  EXPECT_THAT(found, ElementsAre("NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "FILES",
                                 "EXIT STATUS", "EXAMPLES"));
}

TEST(ManualPage, CarriesTheProjectVersion) {
  const std::vector<std::string> page = manualPage();
  const auto title = std::find_if(page.begin(), page.end(),
                                  [](const std::string& line) { return line.starts_with(".TH "); });
  ASSERT_NE(title, page.end());
  EXPECT_THAT(*title, HasSubstr("\"trelvox " TRELVOX_PROJECT_VERSION "\""));
}

}  // namespace
}  // namespace trelvox
