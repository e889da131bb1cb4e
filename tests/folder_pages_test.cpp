#include "app/windows/folder_pages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/windows/drop_plan.h"
#include "app/windows/outcome_texts.h"
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

// Drops `dropped` as the dialog does: converts every planned log, gathers the folders' pages and
// writes them; returns the text of the box, the pages' outcomes last.
struct DroppedOutcome {
  std::string text;
  std::vector<ConversionOutcome> pages;
};
DroppedOutcome drop(std::span<const fs::path> dropped, Language language) {
  FolderPages pages(logbookPagesOf(dropped), language, '.');
  std::vector<ConversionOutcome> reported = planDrop(dropped);
  for (ConversionOutcome& outcome : reported) {
    if (outcome.failure) continue;
    pages.add(outcome,
              convertLog(outcome, ExistingOutput::kRefuse, Separators{}, language, noReason));
  }
  std::vector<ConversionOutcome> written = pages.write(noReason);
  reported.insert(reported.end(), written.begin(), written.end());
  return {dropOutcomeText(reported, language), written};
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
  EXPECT_EQ(dropOutcomeText(written, Language::kEnglish),
            "card: Cannot create output file.\n" + (folder / "card" / "logbook.html").string() +
                ": Access denied.");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder / "card"), fs::directory_iterator()), 4);
}

}  // namespace
}  // namespace trelvox
