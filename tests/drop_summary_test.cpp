#include "app/windows/drop_summary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/windows/outcome_texts.h"

namespace trelvox {
namespace {

using ::testing::EndsWith;
using ::testing::StartsWith;

ConversionOutcome flight(const std::string& name, HealthVerdict verdict,
                         const std::string& event = {}, std::size_t more = 0) {
  ConversionOutcome outcome{"/card/" + name + ".KLD", "/card/" + name + ".csv", std::nullopt,
                            "Records: 3, sensors: 1"};
  outcome.health = HealthGist{verdict, event, more};
  return outcome;
}

ConversionOutcome failedLog(const std::string& name, MessageId failure, const std::string& reason) {
  return {"/card/" + name + ".KLD", "/card/" + name + ".csv", failure, reason};
}

ConversionOutcome keptLog(const std::string& name) {
  ConversionOutcome outcome = flight(name, HealthVerdict::kRed, "0:00:01.0 red clock went back");
  outcome.kept = true;
  return outcome;
}

const std::string kRedEvent =
    "0:00:10.0 red CURRENT SENSOR CURRENT above 20\u00A0A (amber 15\u00A0A)";
const std::string kAmberEvent = "0:03:59.9 amber log cut short: 100\u00A0bytes";
const std::string kLimitsFault = "/card/trelvox.toml:3:9: expected a number";

std::size_t linesOf(const std::string& text) {
  return static_cast<std::size_t>(std::ranges::count(text, '\n')) + 1;
}

constexpr Language kLanguages[] = {Language::kEnglish, Language::kGerman, Language::kJapanese};

// A card of `count` logs: every seventh red, every eleventh without its information file, every
// fifth of the others amber, three stopped by the same faulty limits file, one whose CSV file was
// kept, the rest green.
std::vector<ConversionOutcome> card(int count) {
  std::vector<ConversionOutcome> logs;
  for (int k = 1; k <= count; ++k) {
    const std::string name = "f" + std::to_string(k);
    if (k % 7 == 0) {
      logs.push_back(flight(name, HealthVerdict::kRed, kRedEvent, 3));
    } else if (k % 11 == 0) {
      logs.push_back(failedLog(name, MessageId::kInfoFileNotFound, "Looked for: /card/" + name));
    } else if (k % 5 == 0) {
      logs.push_back(flight(name, HealthVerdict::kAmber, kAmberEvent));
    } else if (k == 2 || k == 3 || k == 4) {
      logs.push_back(failedLog(name, MessageId::kLimitsFileFault, kLimitsFault));
    } else if (k == 6) {
      logs.push_back(keptLog(name));
    } else {
      logs.push_back(flight(name, HealthVerdict::kGreen));
    }
  }
  return logs;
}

TEST(DialogDropBox, FiveLogsGetTheirTotalsThenTheOnesToLookAtRedFailedAmber) {
  const std::vector<ConversionOutcome> logs{
      flight("a", HealthVerdict::kGreen), flight("b", HealthVerdict::kAmber, kAmberEvent),
      failedLog("c", MessageId::kInfoFileNotFound, "Looked for: /card/c.KLI"),
      flight("d", HealthVerdict::kRed, kRedEvent, 5), flight("e", HealthVerdict::kGreen)};
  const struct {
    Language language;
    std::string expected;
  } cases[] = {
      {Language::kEnglish,
       "Logs converted: 4 (2 green, 1 amber, 1 red); failed: 1\n\n"
       "• d.KLD: " +
           kRedEvent +
           "\n"
           "• c.KLD: Infotmation file(.KLI) not found.\n"
           "• b.KLD: " +
           kAmberEvent},
      {Language::kGerman,
       "Umgewandelte Logs: 4 (2 grün, 1 gelb, 1 rot); fehlgeschlagen: 1\n\n"
       "• d.KLD: " +
           kRedEvent +
           "\n"
           "• c.KLD: Informationsdatei (.KLI) nicht gefunden\n"
           "• b.KLD: " +
           kAmberEvent},
      {Language::kJapanese,
       "変換したログ：4件（緑2件、黄1件、赤1件）、失敗：1件\n\n"
       "• d.KLD：" +
           kRedEvent +
           "\n"
           "• c.KLD：インフォメーションファイル(.KLI)が見つかりません\n"
           "• b.KLD：" +
           kAmberEvent},
  };
  for (const auto& c : cases) EXPECT_EQ(dropOutcomeText(logs, {}, c.language), c.expected);
}

TEST(DialogDropBox, FortyLogsNameFiveAndCountTheRest) {
  const std::vector<ConversionOutcome> logs = card(40);
  const struct {
    Language language;
    const char* totals;
    const char* kept;
    const char* rest;
  } cases[] = {
      {Language::kEnglish, "Logs converted: 33 (21 green, 7 amber, 5 red); failed: 6",
       "Existing CSV files kept: 1", "… and 13 more"},
      {Language::kGerman, "Umgewandelte Logs: 33 (21 grün, 7 gelb, 5 rot); fehlgeschlagen: 6",
       "Vorhandene CSV-Dateien behalten: 1", "… und 13 weitere"},
      {Language::kJapanese, "変換したログ：33件（緑21件、黄7件、赤5件）、失敗：6件",
       "既存のCSVファイルを残したログ：1件", "…ほか13件"},
  };
  for (const auto& c : cases) {
    const std::string text = dropOutcomeText(logs, {}, c.language);
    std::string expected = std::string(c.totals) + "\n" + c.kept + "\n\n";
    for (const char* red : {"f7", "f14", "f21", "f28", "f35"}) {
      expected += "• " +
                  formatMessage(MessageId::kLogLine, c.language,
                                {{"log", std::string(red) + ".KLD"}, {"what", kRedEvent}}) +
                  "\n";
    }
    EXPECT_EQ(text, expected + c.rest);
    EXPECT_LE(linesOf(text), 20u);
  }
}

TEST(DialogDropBox, AFailureThatStoppedSeveralLogsIsSaidOnceWithTheirNumber) {
  const std::vector<ConversionOutcome> logs = card(6);
  const struct {
    Language language;
    std::string expected;
  } cases[] = {
      {Language::kEnglish,
       "Logs converted: 2 (1 green, 1 amber, 0 red); failed: 3\n"
       "Existing CSV files kept: 1\n\n"
       "• 3 logs: The limits file has a fault.\n" +
           kLimitsFault +
           "\n"
           "• f5.KLD: " +
           kAmberEvent},
      {Language::kGerman,
       "Umgewandelte Logs: 2 (1 grün, 1 gelb, 0 rot); fehlgeschlagen: 3\n"
       "Vorhandene CSV-Dateien behalten: 1\n\n"
       "• 3 Logs: Die Grenzwertdatei enthält einen Fehler.\n" +
           kLimitsFault +
           "\n"
           "• f5.KLD: " +
           kAmberEvent},
      {Language::kJapanese,
       "変換したログ：2件（緑1件、黄1件、赤0件）、失敗：3件\n"
       "既存のCSVファイルを残したログ：1件\n\n"
       "• ログ3件：制限値ファイルに誤りがあります。\n" +
           kLimitsFault +
           "\n"
           "• f5.KLD：" +
           kAmberEvent},
  };
  // f1 green, f2-f4 the limits file, f5 amber, f6 kept.
  for (const auto& c : cases) EXPECT_EQ(dropOutcomeText(logs, {}, c.language), c.expected);
}

TEST(DialogDropBox, FailuresAlikeWithoutAReasonBesideThemAreEachNamed) {
  const std::vector<ConversionOutcome> logs{failedLog("x", MessageId::kNotALog, ""),
                                            failedLog("y", MessageId::kNotALog, "")};
  EXPECT_EQ(dropOutcomeText(logs, {}, Language::kEnglish),
            "Logs converted: 0 (0 green, 0 amber, 0 red); failed: 2\n\n"
            "• x.KLD: Not a flight log (.KLD).\n• y.KLD: Not a flight log (.KLD).");
}

// However many logs, folders and pages, and however long the shared reason, the box stays within
// twenty lines (before the offer to open the pages), so it fits the screen.
TEST(DialogDropBox, TheBoxStaysWithinTwentyLinesWhateverTheNumberOfLogs) {
  ConversionOutcome failedPage{"/card", "/card/logbook.html", MessageId::kCannotCreateOutput,
                               "/card/logbook.html: Access denied."};
  const ConversionOutcome writtenPage{"/other", "/other/logbook.html", std::nullopt};
  const std::vector<ConversionOutcome> pages{failedPage, writtenPage, writtenPage, writtenPage};
  for (const int count : {1, 5, 40, 200, 1000}) {
    std::vector<ConversionOutcome> logs = card(count);
    for (ConversionOutcome& log : logs) {
      if (log.failure == MessageId::kLimitsFileFault)
        log.linesBelow = kLimitsFault + "\nline 2\nline 3";
    }
    for (const Language language : kLanguages) {
      const std::string text = dropOutcomeText(logs, pages, language);
      EXPECT_LE(linesOf(text), 20u) << count << "\n" << text;
      EXPECT_THAT(text, EndsWith(andMoreLine(2, language))) << count;
    }
  }
}

TEST(DialogDropBox, PagesFollowTheLogsWrittenOrWithTheirReason) {
  const std::vector<ConversionOutcome> logs{flight("a", HealthVerdict::kGreen)};
  const std::vector<ConversionOutcome> pages{
      {"/card", "/card/logbook.html", std::nullopt},
      {"/fail", "/fail/logbook.html", MessageId::kCannotCreateOutput,
       "/fail/logbook.html: Access denied."}};
  EXPECT_EQ(dropOutcomeText(logs, pages, Language::kGerman),
            "Umgewandelte Logs: 1 (1 grün, 0 gelb, 0 rot); fehlgeschlagen: 0\n\n"
            "logbook.html wurde erzeugt\n"
            "fail: Ausgabedatei kann nicht erstellt werden\n/fail/logbook.html: Access denied.");
}

TEST(DialogDropBox, TheWarningIconIsForAFailureOrAnAmberOrRedFlight) {
  const ConversionOutcome page{"/card", "/card/logbook.html", std::nullopt};
  const ConversionOutcome failedPage{"/card", "/card/logbook.html", MessageId::kCannotCreateOutput};
  const struct {
    std::vector<ConversionOutcome> logs;
    std::vector<ConversionOutcome> pages;
    bool warning;
  } cases[] = {
      {{flight("a", HealthVerdict::kGreen), flight("b", HealthVerdict::kNone)}, {page}, false},
      {{flight("a", HealthVerdict::kGreen), flight("b", HealthVerdict::kAmber)}, {}, true},
      {{flight("a", HealthVerdict::kRed)}, {}, true},
      {{flight("a", HealthVerdict::kGreen), keptLog("b")}, {page}, false},
      {{flight("a", HealthVerdict::kGreen), failedLog("b", MessageId::kNotALog, "")}, {}, true},
      {{flight("a", HealthVerdict::kGreen)}, {failedPage}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(dropNeedsALook(c.logs, c.pages), c.warning);
}

}  // namespace
}  // namespace trelvox
