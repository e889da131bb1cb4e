#include "app/windows/folder_pages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "app/windows/drop_plan.h"
#include "app/windows/drop_summary.h"
#include "tests/dialog_logs.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

std::string contentsOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

SystemReason noReason(const fs::path&) { return {}; }

// Drops `dropped` as the dialog does: converts every planned log, keeping each existing CSV file
// (as a user answering No to replacing it), gathers the folders' pages and writes them; returns the
// text of the box and the pages' outcomes.
struct DroppedOutcome {
  std::string text;
  std::vector<ConversionOutcome> pages;
};
DroppedOutcome drop(std::span<const fs::path> dropped, Language language) {
  FolderPages pages(logbookPagesOf(dropped), language, '.');
  std::vector<ConversionOutcome> logs = planDrop(dropped);
  for (ConversionOutcome& outcome : logs) {
    if (outcome.failure) continue;
    std::optional<ConversionResult> result =
        convertLog(outcome, ExistingOutput::kRefuse, Separators{}, language, noReason);
    if (outcome.failure == MessageId::kOutputExists) {
      pages.addKept(outcome, Separators{}, noReason);
    } else {
      pages.add(outcome, result);
    }
  }
  std::vector<ConversionOutcome> written = pages.write(noReason);
  return {dropOutcomeText(logs, written, language), written};
}

TEST(DialogFolderPages, EachDroppedFolderWithLogsGetsOnePageInIt) {
  TempFolder folder;
  fs::create_directories(folder / "card");
  fs::create_directories(folder / "empty");
  logWith(1, {}).writeFiles(folder / "card" / "a");
  logWith(1, {}).writeFiles(folder / "loose");
  const std::vector<fs::path> dropped{folder / "loose.KLD", folder / "empty", folder / "card",
                                      folder / "card" / ".", folder / "gone"};
  EXPECT_THAT(logbookPagesOf(dropped), ::testing::ElementsAre(folder / "card" / "logbook.html"));
}

TEST(DialogFolderPages, ADroppedFolderWritesItsLogsIntoItsPageInTheDialogsLanguage) {
  const struct {
    Language language;
    std::string_view htmlLanguage;
    std::string generated;
  } rows[] = {{Language::kEnglish, "<html lang=\"en\">", "logbook.html was generated."},
              {Language::kGerman, "<html lang=\"de\">", "logbook.html wurde erzeugt"},
              {Language::kJapanese, "<html lang=\"ja\">", "logbook.html ファイルが作成されました"}};
  for (const auto& row : rows) {
    TempFolder folder;
    fs::create_directories(folder / "card");
    logWith(3, {}).writeFiles(folder / "card" / "a");
    logWith(2, {}).writeFiles(folder / "card" / "b");
    logWith(1, {}).writeFiles(folder / "card" / "broken");
    fs::remove(folder / "card" / "broken.KLI");
    const std::vector<fs::path> dropped{folder / "card"};
    const DroppedOutcome outcome = drop(dropped, row.language);

    EXPECT_THAT(outcome.text, ::testing::EndsWith("\n" + row.generated));
    ASSERT_EQ(writtenPages(outcome.pages), std::vector{folder / "card" / "logbook.html"});
    const std::string page = contentsOf(folder / "card" / "logbook.html");
    EXPECT_THAT(page, HasSubstr(row.htmlLanguage));
    EXPECT_THAT(page, HasSubstr("\"path\":\"a.KLD\""));
    EXPECT_THAT(page, HasSubstr("\"path\":\"b.KLD\""));
    EXPECT_THAT(
        page, HasSubstr("{\"path\":\"broken.KLD\",\"reason\":\"" +
                        std::string(message(MessageId::kInfoFileNotFound, row.language)) + "\"}"));
    EXPECT_TRUE(fs::exists(folder / "card" / "a.csv"));
  }
}

TEST(DialogFolderPages, DroppedLogsWithoutTheirFolderWriteNoPage) {
  TempFolder folder;
  logWith(1, {}).writeFiles(folder / "a");
  const std::vector<fs::path> dropped{folder / "a.KLD"};
  const DroppedOutcome outcome = drop(dropped, Language::kEnglish);
  EXPECT_TRUE(outcome.pages.empty());
  EXPECT_THAT(outcome.text, Not(HasSubstr("logbook.html")));
  EXPECT_FALSE(fs::exists(folder / "logbook.html"));
}

// Each page holds only the logs of its own folder, also when another folder's log was dropped
// alone beside it.
TEST(DialogFolderPages, APageHoldsOnlyItsOwnFoldersLogs) {
  TempFolder folder;
  fs::create_directories(folder / "one");
  fs::create_directories(folder / "two");
  logWith(1, {}).writeFiles(folder / "one" / "first");
  logWith(1, {}).writeFiles(folder / "two" / "second");
  logWith(1, {}).writeFiles(folder / "two" / "third");
  const std::vector<fs::path> dropped{folder / "two" / "third.KLD", folder / "one"};
  const DroppedOutcome outcome = drop(dropped, Language::kEnglish);
  ASSERT_EQ(writtenPages(outcome.pages), std::vector{folder / "one" / "logbook.html"});
  const std::string page = contentsOf(folder / "one" / "logbook.html");
  EXPECT_THAT(page, HasSubstr("first.KLD"));
  EXPECT_THAT(page, Not(HasSubstr("third.KLD")));
  EXPECT_FALSE(fs::exists(folder / "two" / "logbook.html"));
}

// A page that cannot be written is said in the box like a CSV file, naming the page, and is not
// offered to open; no unfinished page is left.
TEST(DialogFolderPages, APageThatCannotBeWrittenIsSaidAndNotOffered) {
  TempFolder folder;
  fs::create_directories(folder / "card" / "logbook.html" / "in the way");
  logWith(1, {}).writeFiles(folder / "card" / "a");
  const std::vector<fs::path> dropped{folder / "card"};
  FolderPages pages(logbookPagesOf(dropped), Language::kEnglish, '.');
  std::vector<ConversionOutcome> plan = planDrop(dropped);
  ASSERT_EQ(plan.size(), 1u);
  pages.add(plan[0], convertLog(plan[0], ExistingOutput::kRefuse, Separators{}, Language::kEnglish,
                                noReason));
  const std::vector<ConversionOutcome> written =
      pages.write([](const fs::path&) { return SystemReason{"Access denied."}; });
  ASSERT_EQ(written.size(), 1u);
  EXPECT_TRUE(writtenPages(written).empty());
  EXPECT_THAT(
      dropOutcomeText(plan, written, Language::kEnglish),
      ::testing::EndsWith("\ncard: Cannot create output file.\n" +
                          (folder / "card" / "logbook.html").string() + ": Access denied."));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder / "card"), fs::directory_iterator()), 4);
}

// A log whose existing CSV file the user keeps is still on its folder's page, read without writing
// anything; the box counts it as kept. Outside a dropped folder it is not read at all.
TEST(DialogFolderPages, ALogWhoseCsvFileIsKeptIsStillOnThePage) {
  TempFolder folder;
  fs::create_directories(folder / "card");
  logWith(3, {}).writeFiles(folder / "card" / "a");
  logWith(2, {}).writeFiles(folder / "card" / "kept");
  logWith(2, {}).writeFiles(folder / "loose");
  std::ofstream(folder / "card" / "kept.csv") << "older";
  std::ofstream(folder / "loose.csv") << "older";
  const std::vector<fs::path> dropped{folder / "card", folder / "loose.KLD"};
  const DroppedOutcome outcome = drop(dropped, Language::kEnglish);

  EXPECT_EQ(outcome.text,
            "Logs converted: 1 (1 green, 0 amber, 0 red); failed: 0\n"
            "Existing CSV files kept: 2\n\nlogbook.html was generated.");
  const std::string page = contentsOf(folder / "card" / "logbook.html");
  EXPECT_THAT(page, HasSubstr("\"path\":\"a.KLD\""));
  EXPECT_THAT(page, HasSubstr("\"path\":\"kept.KLD\""));
  EXPECT_EQ(contentsOf(folder / "card" / "kept.csv"), "older");
  EXPECT_EQ(contentsOf(folder / "loose.csv"), "older");
  // Nothing beside the logs but a.csv and the page: no side file, no unfinished file.
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder / "card")) {
    names.insert(entry.path().filename().string());
  }
  EXPECT_EQ(names, (std::set<std::string>{"a.KLD", "a.KLI", "a.csv", "kept.KLD", "kept.KLI",
                                          "kept.csv", "logbook.html"}));
}

}  // namespace
}  // namespace trelvox
