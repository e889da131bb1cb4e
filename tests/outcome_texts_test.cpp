#include "app/windows/outcome_texts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/windows/drop_summary.h"

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

TEST(DialogDrop, SeveralLogsAreCountedAndTheFailedOneNamedInTheUsersLanguage) {
  std::vector<ConversionOutcome> outcomes{
      {"/a/one.KLD", "/a/one.csv", std::nullopt},
      {"/a/two.KLD", "/a/two.csv", MessageId::kInfoFileNotFound},
      {"/a/飛行.KLD", "/a/飛行.csv", std::nullopt},
  };
  outcomes[0].health = outcomes[2].health = HealthGist{HealthVerdict::kGreen};
  EXPECT_EQ(dropOutcomeText(outcomes, {}, Language::kEnglish),
            "Logs converted: 2 (2 green, 0 amber, 0 red); failed: 1\n\n"
            "• two.KLD: Infotmation file(.KLI) not found.");
  EXPECT_EQ(dropOutcomeText(outcomes, {}, Language::kGerman),
            "Umgewandelte Logs: 2 (2 grün, 0 gelb, 0 rot); fehlgeschlagen: 1\n\n"
            "• two.KLD: Informationsdatei (.KLI) nicht gefunden");
  EXPECT_EQ(dropOutcomeText(outcomes, {}, Language::kJapanese),
            "変換したログ：2件（緑2件、黄0件、赤0件）、失敗：1件\n\n"
            "• two.KLD：インフォメーションファイル(.KLI)が見つかりません");
}

TEST(DialogDrop, OneLogDroppedAloneShowsItsLinesBelowIt) {
  const ConversionOutcome converted[] = {
      {"/a/one.KLD", "/a/one.csv", std::nullopt, "Records: 3, sensors: 1"}};
  const ConversionOutcome failed[] = {
      {"/a/two.KLD", "/a/two.csv", MessageId::kCannotCreateOutput, "/a/two.csv: Disk full."}};
  const ConversionOutcome noLog[] = {{"/a/notes.txt", "", MessageId::kCannotReadFile}};
  EXPECT_EQ(dropOutcomeText(converted, {}, Language::kEnglish),
            "one.csv was generated.\nRecords: 3, sensors: 1");
  EXPECT_EQ(dropOutcomeText(failed, {}, Language::kEnglish),
            "two.KLD: Cannot create output file.\n/a/two.csv: Disk full.");
  EXPECT_EQ(dropOutcomeText(noLog, {}, Language::kEnglish), "notes.txt: Cannot read file.");
}

}  // namespace
}  // namespace trelvox
