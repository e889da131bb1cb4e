#include "app/windows/shell_logic.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::Field;

TEST(ShellLanguage, PrimaryLanguageOfTheLangIdPicksTheResources) {
  const struct {
    std::uint16_t langId;
    Language expected;
  } cases[] = {
      {0x0409, Language::kEnglish},   // en-US
      {0x0809, Language::kEnglish},   // en-GB
      {0x0407, Language::kGerman},    // de-DE
      {0x0C07, Language::kGerman},    // de-AT
      {0x0807, Language::kGerman},    // de-CH
      {0x0411, Language::kJapanese},  // ja-JP
      {0x040C, Language::kEnglish},   // fr-FR: no resources, English
      {0x0000, Language::kEnglish},   // neutral
  };
  for (const auto& c : cases) {
    EXPECT_EQ(languageFromLangId(c.langId), c.expected) << std::hex << c.langId;
  }
  EXPECT_EQ(langIdOf(Language::kEnglish), 1033);
  EXPECT_EQ(langIdOf(Language::kGerman), 1031);
  EXPECT_EQ(langIdOf(Language::kJapanese), 1041);
}

TEST(ShellSeparators, OnlyAOneByteFirstCharacterReplacesTheDefault) {
  EXPECT_EQ(separatorFromLocaleText(u";", ','), ';');
  EXPECT_EQ(separatorFromLocaleText(u",", '.'), ',');
  EXPECT_EQ(separatorFromLocaleText(u";x", ','), ';');
  EXPECT_EQ(separatorFromLocaleText(u"", ','), ',');
  EXPECT_EQ(separatorFromLocaleText(u"\u00A0", ','), ',');  // no-break space
  EXPECT_EQ(separatorFromLocaleText(u"\u060C", ','), ',');  // Arabic comma
  EXPECT_EQ(separatorFromLocaleText(u"\u3001", ','), ',');  // ideographic comma
}

TEST(ShellFilter, SplitsEveryFilterTextOfTheMessageTableIntoOnePair) {
  for (const Language language : {Language::kEnglish, Language::kGerman, Language::kJapanese}) {
    EXPECT_THAT(splitFilter(message(kOpenFilter, language)),
                ElementsAre(Field(&FileTypeFilter::pattern, "*.KLD")));
    EXPECT_THAT(splitFilter(message(kSaveFilter, language)),
                ElementsAre(Field(&FileTypeFilter::pattern, "*.csv")));
  }
  const std::vector<FileTypeFilter> japanese =
      splitFilter(message(kOpenFilter, Language::kJapanese));
  EXPECT_EQ(japanese.at(0).description, "テレメトリーデータファイル (*.KLD)");
}

TEST(ShellFilter, ReadsSeveralPairsAndStopsAtTheEmptyPair) {
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

TEST(ShellSaveProposal, OpensInTheLogsFolderWithTheLogsName) {
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

TEST(ShellDrop, ConvertsEachDroppedLogPairOnceBesideItself) {
  const std::vector<fs::path> dropped{"/a/one.KLD",     "/a/one.KLI",   "/a/two.kld",
                                      "/b.x/three.Kli", "/a/notes.txt", "/a/one.KLD"};
  const std::vector<ConversionOutcome> plan = planDrop(dropped);
  ASSERT_EQ(plan.size(), 4u);
  EXPECT_EQ(plan[0].log, fs::path("/a/one.KLD"));
  EXPECT_EQ(plan[0].output, fs::path("/a/one.csv"));
  EXPECT_FALSE(plan[0].failure);
  EXPECT_EQ(plan[1].output, fs::path("/a/two.csv"));
  EXPECT_EQ(plan[2].log, fs::path("/b.x/three.Kli"));
  EXPECT_EQ(plan[2].output, fs::path("/b.x/three.csv"));
  EXPECT_EQ(plan[3].log, fs::path("/a/notes.txt"));
  EXPECT_EQ(plan[3].failure, MessageId::kCannotReadFile);
}

TEST(ShellDrop, AFileWithoutExtensionOrWithAnotherOneIsNoLog) {
  EXPECT_FALSE(isLogFile("/my.logs/flight"));
  EXPECT_FALSE(isLogFile("/logs/flight.csv"));
  EXPECT_FALSE(isLogFile("/logs/flight.KLDX"));
  EXPECT_TRUE(isLogFile("/logs/flight.kLd"));
  EXPECT_EQ(droppedLogOutput("/my.logs/x.y.KLD"), fs::path("/my.logs/x.y.csv"));
}

TEST(ShellDrop, ReportHasOneLinePerLogInTheUsersLanguage) {
  const std::vector<ConversionOutcome> outcomes{
      {"/a/one.KLD", "/a/one.csv", std::nullopt},
      {"/a/two.KLD", "/a/two.csv", MessageId::kInfoFileNotFound},
      {"/a/飛行.KLD", "/a/飛行.csv", std::nullopt},
  };
  EXPECT_EQ(dropReport(outcomes, Language::kEnglish),
            "one.csv was generated.\ntwo.KLD: Infotmation file(.KLI) not found.\n"
            "飛行.csv was generated.");
  EXPECT_EQ(dropReport(outcomes, Language::kGerman),
            "one.csv wurde erzeugt\ntwo.KLD: Informationsdatei (.KLI) nicht gefunden\n"
            "飛行.csv wurde erzeugt");
  EXPECT_EQ(dropReport(outcomes, Language::kJapanese),
            "one.csv ファイルが作成されました\n"
            "two.KLD: インフォメーションファイル(.KLI)が見つかりません\n"
            "飛行.csv ファイルが作成されました");
}

}  // namespace
}  // namespace trelvox
