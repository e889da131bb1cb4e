#include "app/windows/file_choices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/log_builder.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::Field;

TEST(DialogFilter, SplitsEveryFilterTextOfTheMessageTableIntoOnePair) {
  for (const Language language : {Language::kEnglish, Language::kGerman, Language::kJapanese}) {
    EXPECT_THAT(splitFilter(message(MessageId::kOpenFilter, language)),
                ElementsAre(Field(&FileTypeFilter::pattern, "*.KLD")));
    EXPECT_THAT(splitFilter(message(MessageId::kSaveFilter, language)),
                ElementsAre(Field(&FileTypeFilter::pattern, "*.csv")));
  }
  const std::vector<FileTypeFilter> japanese =
      splitFilter(message(MessageId::kOpenFilter, Language::kJapanese));
  EXPECT_EQ(japanese.at(0).description, "テレメトリーデータファイル (*.KLD)");
}

TEST(DialogFilter, ReadsSeveralPairsAndStopsAtTheEmptyPair) {
  const std::vector<FileTypeFilter> filters = splitFilter("Logs|*.KLD|All|*.*||Ignored|*.x|");
  ASSERT_EQ(filters.size(), 2u);
  EXPECT_EQ(filters[0].description, "Logs");
  EXPECT_EQ(filters[0].pattern, "*.KLD");
  EXPECT_EQ(filters[1].description, "All");
  EXPECT_EQ(filters[1].pattern, "*.*");
  EXPECT_EQ(splitFilter("Logs|*.KLD").size(), 1u);  // no closing bars
  EXPECT_TRUE(splitFilter("").empty());
  EXPECT_TRUE(splitFilter("Logs|").empty());  // a description without a pattern
  EXPECT_TRUE(splitFilter("no bars").empty());
}

TEST(DialogSaveProposal, OpensInTheLogsFolderWithTheLogsName) {
  const struct {
    const char* chosen;
    const char* folder;
    const char* fileName;
  } cases[] = {
      {"/logs/flight01.KLD", "/logs", "flight01"},
      {"/my.logs/flight", "/my.logs", "flight"},  // a dot in a folder is no extension
      {"/my.logs/flight.KLD", "/my.logs", "flight"},
      {"/logs/a.b.KLD", "/logs", "a.b"},
      {"/ログ.フォルダ/フライト.KLD", "/ログ.フォルダ", "フライト"},
      {"flight.kld", "", "flight"},
  };
  for (const auto& c : cases) {
    const SaveProposal proposal = proposeSaveName(fs::path(c.chosen));
    EXPECT_EQ(proposal.folder, fs::path(c.folder)) << c.chosen;
    EXPECT_EQ(proposal.fileName, fs::path(c.fileName)) << c.chosen;
  }
}

TEST(DialogOpenDialog, StartsInTheRememberedFolderWhileItExists) {
  TempFolder folder;
  LogBuilder::writeFile(folder / "flight.KLD", {});
  EXPECT_EQ(openDialogFolder(folder.path()), folder.path());
  EXPECT_EQ(openDialogFolder(""), std::nullopt);                    // nothing remembered yet
  EXPECT_EQ(openDialogFolder(folder / "card-gone"), std::nullopt);  // the memory card was taken out
  EXPECT_EQ(openDialogFolder(folder / "flight.KLD"), std::nullopt);
}

TEST(DialogReport, ThePageGoesBesideTheCsvFileUnderItsName) {
  EXPECT_EQ(reportPageBeside("/logs/flight.csv"), fs::path("/logs/flight.html"));
  EXPECT_EQ(reportPageBeside("/my.logs/flight"), fs::path("/my.logs/flight.html"));
  EXPECT_EQ(reportPageBeside("/logs/a.b.CSV"), fs::path("/logs/a.b.html"));
  EXPECT_EQ(reportPageBeside("/ログ/フライト.csv"), fs::path("/ログ/フライト.html"));
}

TEST(DialogReport, AnExistingPageIsAskedAboutBeforeAnythingIsWritten) {
  TempFolder folder;
  ConversionOutcome report{
      folder / "flight.KLD", folder / "flight.csv", std::nullopt, {}, folder / "flight.html"};
  EXPECT_THAT(sideFilesToReplace(report), ::testing::IsEmpty());
  LogBuilder::writeFile(folder / "flight.html", {'o', 'l', 'd'});
  EXPECT_THAT(sideFilesToReplace(report), ElementsAre(folder / "flight.html"));
  const ConversionOutcome open{folder / "flight.KLD", folder / "flight.csv", std::nullopt};
  EXPECT_THAT(sideFilesToReplace(open), ::testing::IsEmpty());  // Open writes no page
  EXPECT_EQ(replaceQuestion(folder / "flight.html", Language::kEnglish),
            "flight.html already exists. Replace it?");
  EXPECT_EQ(replaceQuestion(folder / "flight.html", Language::kGerman),
            "flight.html existiert bereits. Ersetzen?");
  EXPECT_EQ(replaceQuestion(folder / "flight.html", Language::kJapanese),
            "flight.html は既に存在します。置き換えますか?");
}

}  // namespace
}  // namespace trelvox
