#include "app/messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

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
  std::vector<int> ids;
  for (const MessageId id : messageIds()) ids.push_back(static_cast<int>(id));
  const std::vector<int> expected{
      101, 102, 103, 104, 105, 106, 132, 201, 202, 203, 204, 205, 206, 207, 208, 209, 210,
      211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 301, 302, 303, 304, 305, 306,
      307, 308, 309, 310, 311, 317, 318, 319, 320, 321, 322, 323, 330, 331, 332, 333, 334,
      335, 336, 337, 338, 339, 340, 341, 342, 343, 344, 345, 346, 347, 348, 349};
  ASSERT_EQ(ids, expected);
  for (const MessageId id : messageIds()) {
    for (const Language language : {Language::kEnglish, Language::kGerman, Language::kJapanese}) {
      EXPECT_FALSE(message(id, language).empty()) << static_cast<int>(id);
    }
  }
  EXPECT_TRUE(message(MessageId{107}, Language::kEnglish).empty());
}

TEST(Messages, VerdictWordsSayWhatEachVerdictMeansInEachLanguage) {
  const HealthLabels english = healthLabels(Language::kEnglish);
  EXPECT_EQ(english.verdictWords[static_cast<std::size_t>(HealthVerdict::kRed)],
            "needs attention before the next flight");
  EXPECT_EQ(english.verdictWords[static_cast<std::size_t>(HealthVerdict::kGreen)], "nothing found");
  for (const Language language : {Language::kEnglish, Language::kGerman, Language::kJapanese}) {
    const auto words = healthLabels(language).verdictWords;
    const std::set<std::string_view> distinct(words.begin(), words.end());
    EXPECT_EQ(distinct.size(), words.size());
    EXPECT_FALSE(distinct.contains(""));
  }
}

TEST(Messages, FailureTextsAreTheShownOnes) {
  EXPECT_EQ(message(MessageId::kInfoFileNotFound, Language::kEnglish),
            "Infotmation file(.KLI) not found.");
  EXPECT_EQ(message(MessageId::kCannotReadFile, Language::kGerman),
            "Datei kann nicht gelesen werden");
  EXPECT_EQ(message(MessageId::kCannotCreateOutput, Language::kJapanese),
            "ファイルの書き込みに失敗しました");
  EXPECT_EQ(message(MessageId::kMenuAboutText, Language::kGerman), "Trelvox(&A)...");
}

TEST(Messages, FormattedMessagesFillInTheirNamedValuesInEachLanguage) {
  const struct {
    MessageId id;
    Language language;
    const char* expected;
  } cases[] = {
      {MessageId::kLookedFor, Language::kEnglish, "Looked for: /logs/a.KLI"},
      {MessageId::kLookedFor, Language::kGerman, "Gesucht: /logs/a.KLI"},
      {MessageId::kLookedFor, Language::kJapanese, "探したファイル: /logs/a.KLI"},
      {MessageId::kOneOfTheLogsFiles, Language::kEnglish,
       "/logs/a.KLI is one of the log's own files."},
      {MessageId::kOneOfTheLogsFiles, Language::kJapanese,
       "/logs/a.KLI はログ自身のファイルです。"},
      {MessageId::kConvertedCounts, Language::kEnglish, "Records: 12, sensors: 3"},
      {MessageId::kConvertedCounts, Language::kGerman, "Datensätze: 12, Sensoren: 3"},
      {MessageId::kConvertedCounts, Language::kJapanese, "レコード数: 12、センサー数: 3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatMessage(c.id, c.language,
                            {{"file", "/logs/a.KLI"}, {"records", "12"}, {"sensors", "3"}}),
              c.expected);
  }
}

TEST(Messages, FilledInValuesAreTakenAsTheyAre) {
  // A value's own braces are not looked into; a name without a value stays as written.
  EXPECT_EQ(formatMessage(MessageId::kLookedFor, Language::kEnglish, {{"file", "/a/{file}.KLI"}}),
            "Looked for: /a/{file}.KLI");
  EXPECT_EQ(formatMessage(MessageId::kConvertedCounts, Language::kEnglish, {{"records", "0"}}),
            "Records: 0, sensors: {sensors}");
  EXPECT_EQ(formatMessage(MessageId::kGenerated, Language::kEnglish, {}), " was generated.");
  EXPECT_EQ(formatMessage(MessageId{999}, Language::kEnglish, {}), "");
}

TEST(Messages, LanguageFromLocaleName) {
  EXPECT_EQ(languageFromLocaleName("de_DE.UTF-8"), Language::kGerman);
  EXPECT_EQ(languageFromLocaleName("ja-JP"), Language::kJapanese);
  EXPECT_EQ(languageFromLocaleName("C.UTF-8"), Language::kEnglish);
  EXPECT_EQ(languageFromLocaleName(""), Language::kEnglish);
}

}  // namespace
}  // namespace trelvox
