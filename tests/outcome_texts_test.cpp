#include "app/windows/outcome_texts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace trelvox {
namespace {

TEST(DialogFailureReason, AFileHeldOpenByAnotherProgramTellsTheUserToCloseIt) {
  const struct {
    Language language;
    const char* expected;
  } cases[] = {
      {Language::kEnglish,
       "/logs/flight.csv: Sharing violation.\n"
       "Close the file in the program that holds it open, then try again."},
      {Language::kGerman,
       "/logs/flight.csv: Freigabeverletzung.\nSchließen Sie die Datei in dem "
       "Programm, das sie geöffnet hält, und versuchen Sie es erneut."},
      {Language::kJapanese,
       "/logs/flight.csv: 共有違反です。\n"
       "ファイルを開いているプログラムでファイルを閉じてから、"
       "もう一度お試しください。"},
  };
  const std::string words[] = {"Sharing violation.", "Freigabeverletzung.", "共有違反です。"};
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    const SystemReason reason = systemReasonFor(kSystemSharingViolation, words[k]);
    EXPECT_EQ(failureReason(MessageId::kCannotCreateOutput, "/logs/flight.KLD", "/logs/flight.csv",
                            reason, cases[k].language),
              cases[k].expected);
  }
  EXPECT_TRUE(systemReasonFor(kSystemLockViolation, "Lock violation.").heldOpen);
  constexpr unsigned long kAccessDenied = 5;
  EXPECT_EQ(failureReason(MessageId::kCannotCreateOutput, "/logs/flight.KLD", "/logs/flight.csv",
                          systemReasonFor(kAccessDenied, "Access denied."), Language::kEnglish),
            "/logs/flight.csv: Access denied.");
}

TEST(DialogDrop, ReportHasOneLinePerLogInTheUsersLanguage) {
  const std::vector<ConversionOutcome> outcomes{
      {"/a/one.KLD", "/a/one.csv", std::nullopt},
      {"/a/two.KLD", "/a/two.csv", MessageId::kInfoFileNotFound},
      {"/a/飛行.KLD", "/a/飛行.csv", std::nullopt},
  };
  EXPECT_EQ(dropOutcomeText(outcomes, Language::kEnglish),
            "one.csv was generated.\ntwo.KLD: Infotmation file(.KLI) not found.\n"
            "飛行.csv was generated.");
  EXPECT_EQ(dropOutcomeText(outcomes, Language::kGerman),
            "one.csv wurde erzeugt\ntwo.KLD: Informationsdatei (.KLI) nicht gefunden\n"
            "飛行.csv wurde erzeugt");
  EXPECT_EQ(dropOutcomeText(outcomes, Language::kJapanese),
            "one.csv ファイルが作成されました\n"
            "two.KLD: インフォメーションファイル(.KLI)が見つかりません\n"
            "飛行.csv ファイルが作成されました");
}

TEST(DialogDrop, ReportShowsEachLogsLinesBelowIt) {
  const std::vector<ConversionOutcome> outcomes{
      {"/a/one.KLD", "/a/one.csv", std::nullopt, "Records: 3, sensors: 1"},
      {"/a/two.KLD", "/a/two.csv", MessageId::kCannotCreateOutput, "/a/two.csv: Disk full."},
      {"/a/notes.txt", "", MessageId::kCannotReadFile},
  };
  EXPECT_EQ(dropOutcomeText(outcomes, Language::kEnglish),
            "one.csv was generated.\nRecords: 3, sensors: 1\n"
            "two.KLD: Cannot create output file.\n/a/two.csv: Disk full.\n"
            "notes.txt: Cannot read file.");
}

}  // namespace
}  // namespace trelvox
