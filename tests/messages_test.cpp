#include "app/messages.h"

#include <gtest/gtest.h>

namespace trelvox {
namespace {

TEST(Messages, SuccessMessageFollowsTheFileNameInEachLanguage) {
  const struct {
    Language language;
    const char* expected;
  } cases[] = {
      {Language::kEnglish, "out.csv was generated."},
      {Language::kGerman, "out.csv wurde erzeugt"},
      {Language::kJapanese, "out.csv ファイルが作成されました"},
  };
  for (const auto& c : cases) EXPECT_EQ(successMessage("out.csv", c.language), c.expected);
}

TEST(Messages, EveryTextExistsInAllThreeLanguages) {
  const std::vector<int> ids = messageIds();
  std::vector<int> expected{101, 102, 103, 104, 105, 106, 132, 201, 202, 203, 204,
                            205, 206, 207, 208, 209, 210, 211, 212, 213, 214};
  for (int id = kLimitsFileFault; id <= kHealthAndMore; ++id) expected.push_back(id);
  ASSERT_EQ(ids, expected);
  for (const int id : ids) {
    for (const Language language : {Language::kEnglish, Language::kGerman, Language::kJapanese}) {
      EXPECT_FALSE(message(id, language).empty()) << id;
    }
  }
  EXPECT_TRUE(message(107, Language::kEnglish).empty());
}

TEST(Messages, FailureTextsAreTheShownOnes) {
  EXPECT_EQ(message(kInfoFileNotFound, Language::kEnglish), "Infotmation file(.KLI) not found.");
  EXPECT_EQ(message(kCannotReadFile, Language::kGerman), "Datei kann nicht gelesen werden");
  EXPECT_EQ(message(kCannotCreateOutput, Language::kJapanese), "ファイルの書き込みに失敗しました");
  EXPECT_EQ(message(kMenuAboutText, Language::kGerman), "Trelvox(&A)...");
}

TEST(Messages, FormattedMessagesFillInTheirNamedValuesInEachLanguage) {
  const struct {
    int id;
    Language language;
    const char* expected;
  } cases[] = {
      {kLookedFor, Language::kEnglish, "Looked for: /logs/a.KLI"},
      {kLookedFor, Language::kGerman, "Gesucht: /logs/a.KLI"},
      {kLookedFor, Language::kJapanese, "探したファイル: /logs/a.KLI"},
      {kOneOfTheLogsFiles, Language::kEnglish, "/logs/a.KLI is one of the log's own files."},
      {kOneOfTheLogsFiles, Language::kJapanese, "/logs/a.KLI はログ自身のファイルです。"},
      {kConvertedCounts, Language::kEnglish, "Records: 12, sensors: 3"},
      {kConvertedCounts, Language::kGerman, "Datensätze: 12, Sensoren: 3"},
      {kConvertedCounts, Language::kJapanese, "レコード数: 12、センサー数: 3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatMessage(c.id, c.language,
                            {{"file", "/logs/a.KLI"}, {"records", "12"}, {"sensors", "3"}}),
              c.expected);
  }
}

TEST(Messages, FilledInValuesAreTakenAsTheyAre) {
  // A value's own braces are not looked into; a name without a value stays as written.
  EXPECT_EQ(formatMessage(kLookedFor, Language::kEnglish, {{"file", "/a/{file}.KLI"}}),
            "Looked for: /a/{file}.KLI");
  EXPECT_EQ(formatMessage(kConvertedCounts, Language::kEnglish, {{"records", "0"}}),
            "Records: 0, sensors: {sensors}");
  EXPECT_EQ(formatMessage(kGenerated, Language::kEnglish, {}), " was generated.");
  EXPECT_EQ(formatMessage(999, Language::kEnglish, {}), "");
}

TEST(Messages, LanguageFromLocaleName) {
  EXPECT_EQ(languageFromLocaleName("de_DE.UTF-8"), Language::kGerman);
  EXPECT_EQ(languageFromLocaleName("ja-JP"), Language::kJapanese);
  EXPECT_EQ(languageFromLocaleName("C.UTF-8"), Language::kEnglish);
  EXPECT_EQ(languageFromLocaleName(""), Language::kEnglish);
}

}  // namespace
}  // namespace trelvox
