#include "app/windows/conversion_outcome.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/windows/file_choices.h"
#include "app/windows/outcome_texts.h"
#include "tests/csv_table.h"
#include "tests/dialog_logs.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;

TEST(DialogInfoFileCheck, AMissingInfoFileIsReportedWithTheNameLookedFor) {
  TempFolder folder;
  LogBuilder::writeFile(folder / "flight2.KLD", {});
  const std::optional<ConversionOutcome> missing =
      missingInfoFile(folder / "flight2.KLD", Language::kEnglish);
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->failure, MessageId::kInfoFileNotFound);
  EXPECT_EQ(openOutcomeText(*missing, Language::kEnglish),
            "Infotmation file(.KLI) not found.\nLooked for: " + (folder / "flight2.KLI").string());
}

TEST(DialogInfoFileCheck, AnInfoFileTheConversionFindsIsNoFailure) {
  TempFolder folder;
  LogBuilder().writeFiles(folder / "flight1");
  LogBuilder::writeFile(folder / "card.kld", {});
  LogBuilder::writeFile(folder / "card.kli", {});
  std::filesystem::create_directory(folder / "folder.KLI");
  LogBuilder::writeFile(folder / "folder.KLD", {});
  EXPECT_EQ(missingInfoFile(folder / "flight1.KLD", Language::kEnglish), std::nullopt);
  EXPECT_EQ(missingInfoFile(folder / "card.kld", Language::kEnglish), std::nullopt);
  EXPECT_TRUE(missingInfoFile(folder / "folder.KLD", Language::kEnglish));
}

// Converts `log` into `output` as the Open command does (replacing the output), with the system
// naming `systemReason` for any failure.
ConversionOutcome convertForOpen(const fs::path& log, const fs::path& output,
                                 Language language = Language::kEnglish,
                                 const SystemReason& systemReason = {"Access denied."}) {
  ConversionOutcome outcome{log, output, std::nullopt};
  convertLog(outcome, LogConverter::ExistingOutput::kReplace, Separators{}, language,
             [&](const fs::path&) { return systemReason; });
  return outcome;
}

TEST(DialogConversion, SaysHowManyRecordsAndSensorsWereConverted) {
  constexpr int kNoDecoder = 5;
  const struct {
    LogBuilder log;
    const char* expected;
  } cases[] = {
      {logWith(3, {typeIdOf<VoltageSensorDecoder>(), typeIdOf<OrvaneGpsDecoder>(),
                   typeIdOf<OrvaneCurrentSensorDecoder>()}),
       "flight.csv was generated.\nRecords: 3, sensors: 3\nHealth: nothing found"},
      {logWith(1, {typeIdOf<OrvaneTemperatureSensorDecoder>()}),
       "flight.csv was generated.\nRecords: 1, sensors: 1\nHealth: nothing found"},
      {logWith(0, {typeIdOf<VoltageSensorDecoder>()}),
       "flight.csv was generated.\nRecords: 0, sensors: 1\n"
       "The log holds no records: the CSV file has only its header rows.\nHealth: no records"},
      {logWith(2, {}),
       "flight.csv was generated.\nRecords: 2, sensors: 0\n"
       "The log names no sensor: the CSV file has only the receiver's columns.\nHealth: nothing "
       "found"},
      {logWith(2, {kNoDecoder}),
       "flight.csv was generated.\nRecords: 2, sensors: 0\n"
       "The log names no sensor: the CSV file has only the receiver's columns.\nHealth: nothing "
       "found"},
      {logWith(0, {}),
       "flight.csv was generated.\nRecords: 0, sensors: 0\n"
       "The log holds no records: the CSV file has only its header rows.\n"
       "The log names no sensor: the CSV file has only the receiver's columns.\nHealth: no "
       "records"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    c.log.writeFiles(folder / "flight");
    const ConversionOutcome outcome = convertForOpen(folder / "flight.KLD", folder / "flight.csv");
    EXPECT_EQ(outcome.failure, std::nullopt);
    EXPECT_EQ(openOutcomeText(outcome, Language::kEnglish), c.expected);
    EXPECT_EQ(readFile(folder / "flight.csv"), convert(c.log).text());
  }
}

// The success box says the verdict once, in words that say what it means, then the first red event
// (else the first amber one) on a line of its own, each reading held to its unit by a no-break
// space, then how many more events there are; a limits file above the log is found as on the
// command line.
TEST(ShellConversion, TheBoxSaysTheVerdictOnceThenTheTellingEventInEachLanguage) {
  TempFolder folder;
  fs::create_directories(folder / "model");
  std::ofstream(folder / "trelvox.toml") << "[checks]\nmerge = 0\n";
  const struct {
    std::vector<int> batteryTenths;
    Language language;
    std::string health;
    bool warning;
  } cases[] = {
      {{50, 50}, Language::kEnglish, "Health: nothing found", false},
      {{50, 50}, Language::kJapanese, "フライトの状態：異常なし", false},
      {{50, 46, 50},
       Language::kEnglish,
       "Health: worth a look\n"
       "0:00.1 amber RECEIVER BATTERY below 4.8\u00A0V (red 4.4\u00A0V): lowest 4.6\u00A0V",
       true},
      {{50, 46, 50},
       Language::kGerman,
       "Flugzustand: einen Blick wert\n"
       "0:00.1 gelb RECEIVER BATTERY unter 4.8\u00A0V (rot 4.4\u00A0V): niedrigster Wert "
       "4.6\u00A0V",
       true},
      {{46, 50, 43, 50, 46, 50, 42},
       Language::kEnglish,
       "Health: needs attention before the next flight\n"
       "0:00.2 red RECEIVER BATTERY below 4.4\u00A0V (amber 4.8\u00A0V): lowest 4.3\u00A0V\n"
       "… and 3 more",
       true},
      {{46, 50, 43, 50, 46, 50, 42},
       Language::kGerman,
       "Flugzustand: vor dem nächsten Flug prüfen\n"
       "0:00.2 rot RECEIVER BATTERY unter 4.4\u00A0V (gelb 4.8\u00A0V): niedrigster Wert "
       "4.3\u00A0V\n"
       "… und 3 weitere",
       true},
      {{46, 50, 43, 50, 46, 50, 42},
       Language::kJapanese,
       "フライトの状態：次のフライトの前に点検が必要です\n"
       "0:00.2 赤 RECEIVER BATTERY 4.4\u00A0V 未満(黄 4.8\u00A0V)：最低値 4.3\u00A0V\n"
       "…ほか3件",
       true},
  };
  for (const auto& c : cases) {
    LogBuilder log;
    for (const int tenths : c.batteryTenths) log.record().word(0, 0x4000 | tenths);
    log.writeFiles(folder / "model" / "flight");
    const ConversionOutcome outcome = convertForOpen(folder / "model" / "flight.KLD",
                                                     folder / "model" / "flight.csv", c.language);
    const std::string text = openOutcomeText(outcome, c.language);
    EXPECT_THAT(text, ::testing::EndsWith("\n" + c.health)) << text;
    EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("  ")));
    EXPECT_EQ(needsALook(outcome), c.warning) << c.health;
  }
}

// A folder on a case-sensitive drive may hold x.KLD and x.kld, two logs: the one chosen is
// converted, each with its own information file.
TEST(DialogConversion, TheLogChosenIsConvertedAndNotOneSpelledAlike) {
  TempFolder folder;
  const LogBuilder upper = logWith(3, {});
  const LogBuilder lower = logWith(2, {typeIdOf<VoltageSensorDecoder>()});
  upper.writeFiles(folder / "x");
  LogBuilder::writeFile(folder / "x.kld", lower.dataBytes());
  LogBuilder::writeFile(folder / "x.kli", lower.infoBytes());
  const struct {
    const char* chosen;
    const LogBuilder& log;
  } cases[] = {{"x.kld", lower}, {"x.kli", lower}, {"x.KLD", upper}, {"x.KLI", upper}};
  for (const auto& c : cases) {
    EXPECT_EQ(missingInfoFile(folder / c.chosen, Language::kEnglish), std::nullopt);
    const ConversionOutcome outcome = convertForOpen(folder / c.chosen, folder / "x.csv");
    EXPECT_EQ(outcome.failure, std::nullopt) << c.chosen;
    EXPECT_EQ(readFile(folder / "x.csv"), convert(c.log).text()) << c.chosen;
  }
}

TEST(DialogConversion, ACsvFileThatIsOneOfTheLogsOwnFilesIsNamedAsSuch) {
  TempFolder folder;
  const LogBuilder log = logWith(2, {typeIdOf<VoltageSensorDecoder>()});
  log.writeFiles(folder / "flight");
  fs::create_hard_link(folder / "flight.KLD", folder / "copy.csv");
  fs::create_hard_link(folder / "flight.KLI", folder / "info.csv");
  const ConversionOutcome data = convertForOpen(folder / "flight.KLD", folder / "copy.csv");
  EXPECT_EQ(openOutcomeText(data, Language::kEnglish),
            "Cannot create output file.\ncopy.csv is one of the log's own files.");
  EXPECT_EQ(convertForOpen(folder / "flight.KLD", folder / "info.csv").linesBelow,
            "info.csv is one of the log's own files.");
  const std::vector<std::uint8_t> bytes = log.dataBytes();
  EXPECT_EQ(readFile(folder / "flight.KLD"), std::string(bytes.begin(), bytes.end()));
}

TEST(DialogConversion, AFileTheSystemRefusesIsNamedWithTheSystemsReason) {
  TempFolder folder;
  logWith(2, {typeIdOf<VoltageSensorDecoder>()}).writeFiles(folder / "flight");
  const fs::path noFolder = folder / "no-such-folder" / "out.csv";
  EXPECT_EQ(
      openOutcomeText(convertForOpen(folder / "flight.KLD", noFolder, Language::kGerman,
                                     {"Pfad nicht gefunden."}),
                      Language::kGerman),
      "Ausgabedatei kann nicht erstellt werden\n" + noFolder.string() + ": Pfad nicht gefunden.");
  // Without the system's words the file is still named.
  EXPECT_EQ(convertForOpen(folder / "flight.KLD", noFolder, Language::kEnglish, {}).linesBelow,
            noFolder.string());

  fs::remove(folder / "flight.KLD");
  LogBuilder::writeFile(folder / "other.KLI", {});
  fs::create_directory(folder / "other.KLD");
  const ConversionOutcome unreadable = convertForOpen(folder / "other.KLD", folder / "other.csv",
                                                      Language::kEnglish, {"Sharing violation."});
  EXPECT_EQ(openOutcomeText(unreadable, Language::kEnglish),
            "Cannot read file.\n" + (folder / "other.KLD").string() + ": Sharing violation.");
  EXPECT_FALSE(fs::exists(folder / "other.csv"));
}

TEST(DialogConversion, AFaultyLimitsFileIsSaidAllInTheBoxsLanguageAndNothingIsWritten) {
  const struct {
    Language language;
    std::string text;  // FILE stands for the limits file's path
  } languages[] = {
      {Language::kEnglish,
       "The limits file has a fault.\nFILE, line 2, column 1: unknown key `mreg`; did you mean "
       "`merge`? Nothing was converted."},
      {Language::kGerman,
       "Die Grenzwertdatei enthält einen Fehler.\nFILE, Zeile 2, Spalte 1: Unbekannter Schlüssel "
       "`mreg`; meinten Sie `merge`? Es wurde nichts umgewandelt."},
      {Language::kJapanese,
       "制限値ファイルに誤りがあります。\nFILE、2 行 1 列：不明なキー `mreg` です。`merge` "
       "の間違いではありませんか？何も変換されませんでした。"},
  };
  TempFolder folder;
  logWith(2, {typeIdOf<VoltageSensorDecoder>()}).writeFiles(folder / "flight");
  std::ofstream(folder / "trelvox.toml") << "[checks]\nmreg = 2\n";
  for (const auto& l : languages) {
    const ConversionOutcome outcome =
        convertForOpen(folder / "flight.KLD", folder / "flight.csv", l.language);
    std::string expected = l.text;
    expected.replace(expected.find("FILE"), 4, (folder / "trelvox.toml").string());
    EXPECT_EQ(openOutcomeText(outcome, l.language), expected);
    EXPECT_FALSE(fs::exists(folder / "flight.csv"));
  }
}

TEST(DialogConversion, AnInfoFileGoneByTheTimeOfConvertingIsReportedAsBefore) {
  TempFolder folder;
  logWith(1, {}).writeFiles(folder / "flight");
  fs::remove(folder / "flight.KLI");
  const ConversionOutcome outcome = convertForOpen(folder / "flight.KLD", folder / "flight.csv");
  EXPECT_EQ(outcome.failure, MessageId::kInfoFileNotFound);
  EXPECT_EQ(outcome.linesBelow, "Looked for: " + (folder / "flight.KLI").string());
  EXPECT_FALSE(fs::exists(folder / "flight.csv"));
}

TEST(DialogConversion, AConversionThatIsToKeepAnExistingFileSaysSo) {
  TempFolder folder;
  logWith(1, {}).writeFiles(folder / "flight");
  LogBuilder::writeFile(folder / "flight.csv", {'o', 'l', 'd'});
  ConversionOutcome outcome{folder / "flight.KLD", folder / "flight.csv", std::nullopt};
  convertLog(outcome, LogConverter::ExistingOutput::kRefuse, Separators{}, Language::kEnglish,
             [](const fs::path&) { return SystemReason{}; });
  EXPECT_EQ(outcome.failure, MessageId::kOutputExists);
  EXPECT_EQ(readFile(folder / "flight.csv"), "old");
  convertLog(outcome, LogConverter::ExistingOutput::kReplace, Separators{}, Language::kEnglish,
             [](const fs::path&) { return SystemReason{}; });
  EXPECT_EQ(outcome.failure, std::nullopt);
  EXPECT_EQ(openOutcomeText(outcome, Language::kEnglish),
            "flight.csv was generated.\nRecords: 1, sensors: 0\n"
            "The log names no sensor: the CSV file has only the receiver's columns.\n"
            "Health: nothing found");
}

// Converts `log` into `csv` and its page as the Report command does.
ConversionOutcome convertForReport(const fs::path& log, const fs::path& csv, Language language) {
  ConversionOutcome outcome{log, csv, std::nullopt, {}, reportPageBeside(csv)};
  convertLog(outcome, LogConverter::ExistingOutput::kReplace, Separators{}, language,
             [](const fs::path&) { return SystemReason{"Access denied."}; });
  return outcome;
}

TEST(DialogReport, WritesTheCsvFileAndThePageInTheMessageLanguage) {
  const struct {
    Language language;
    const char* pageStart;
    const char* expected;
  } cases[] = {
      {Language::kEnglish, "<!DOCTYPE html>\n<html lang=\"en\"",
       "flight.csv was generated.\nflight.html was generated.\nRecords: 3, sensors: 1\n"
       "Health: nothing found"},
      {Language::kGerman, "<!DOCTYPE html>\n<html lang=\"de\"",
       "flight.csv wurde erzeugt\nflight.html wurde erzeugt\nDatensätze: 3, Sensoren: 1\n"
       "Flugzustand: nichts gefunden"},
      {Language::kJapanese, "<!DOCTYPE html>\n<html lang=\"ja\"",
       "flight.csv ファイルが作成されました\nflight.html ファイルが作成されました\n"
       "レコード数: 3、センサー数: 1\nフライトの状態：異常なし"},
  };
  const LogBuilder log = logWith(3, {typeIdOf<VoltageSensorDecoder>()});
  for (const auto& c : cases) {
    TempFolder folder;
    log.writeFiles(folder / "flight");
    const ConversionOutcome outcome =
        convertForReport(folder / "flight.KLD", folder / "flight.csv", c.language);
    EXPECT_EQ(openOutcomeText(outcome, c.language), c.expected);
    EXPECT_EQ(readFile(folder / "flight.csv"), convert(log).text());
    EXPECT_TRUE(readFile(folder / "flight.html").starts_with(c.pageStart)) << c.pageStart;
  }
}

TEST(DialogReport, APageTheBrowserCouldNotShowIsSaidBelowItsLine) {
  TempFolder folder;
  logWith(1, {}).writeFiles(folder / "flight");
  const ConversionOutcome outcome =
      convertForReport(folder / "flight.KLD", folder / "out.csv", Language::kGerman);
  EXPECT_EQ(openOutcomeText(outcome, Language::kGerman, false),
            "out.csv wurde erzeugt\nout.html wurde erzeugt\n"
            "Die Seite konnte nicht im Browser geöffnet werden.\n"
            "Bitte von Hand öffnen: " +
                (folder / "out.html").string() +
                "\n"
                "Datensätze: 1, Sensoren: 0\n"
                "Das Log nennt keinen Sensor: Die CSV-Datei hat nur die Spalten des Empfängers.\n"
                "Flugzustand: nichts gefunden");
  EXPECT_TRUE(fs::exists(folder / "out.html"));
}

TEST(DialogReport, AFailedReportWritesNeitherFileAndNamesNoPage) {
  TempFolder folder;
  logWith(1, {}).writeFiles(folder / "flight");
  fs::create_directory(folder / "flight.html");  // the page's place is taken by a folder
  const ConversionOutcome outcome =
      convertForReport(folder / "flight.KLD", folder / "flight.csv", Language::kEnglish);
  EXPECT_EQ(outcome.failure, MessageId::kCannotCreateOutput);
  const std::string text = openOutcomeText(outcome, Language::kEnglish, false);
  EXPECT_THAT(text, ::testing::StartsWith("Cannot create output file.\n"));
  EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("generated")));
  EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("browser")));
  EXPECT_FALSE(fs::exists(folder / "flight.csv"));
  EXPECT_TRUE(fs::is_directory(folder / "flight.html"));
}

TEST(DialogReport, APageThatCannotBeWrittenIsTheFileNamedWithItsReason) {
  TempFolder folder;
  logWith(1, {}).writeFiles(folder / "flight");
  fs::create_directory(folder / "flight.html");
  const fs::path page = folder / "flight.html";
  ConversionOutcome outcome{folder / "flight.KLD", folder / "flight.csv", std::nullopt, {}, page};
  // The system is asked why the page, not the CSV file, was refused.
  convertLog(outcome, LogConverter::ExistingOutput::kReplace, Separators{}, Language::kEnglish,
             [&](const fs::path& file) {
               return SystemReason{file == page ? "Access denied."
                                                : "(asked about " + file.string() + ")"};
             });
  EXPECT_EQ(openOutcomeText(outcome, Language::kEnglish),
            "Cannot create output file.\n" + page.string() + ": Access denied.");
}

TEST(DialogConversion, ALogCutOffInARecordSaysSoInEachLanguage) {
  const struct {
    Language language;
    const char* cutOff;
  } languages[] = {
      {Language::kEnglish,
       "The last 100 bytes do not make a whole record: the log may have been cut off."},
      {Language::kGerman,
       "Die letzten 100 Bytes ergeben keinen ganzen Datensatz: Das Log wurde "
       "vielleicht abgeschnitten."},
      {Language::kJapanese,
       "末尾の 100 バイトは完全なレコードになっていません。"
       "ログが途中で切れている可能性があります。"},
  };
  for (const int records : {0, 3}) {
    for (const auto& l : languages) {
      TempFolder folder;
      const LogBuilder log = logWith(records, {typeIdOf<VoltageSensorDecoder>()});
      std::vector<std::uint8_t> data = log.dataBytes();
      data.resize(data.size() + 100, 0x55);
      LogBuilder::writeFile(folder / "flight.KLI", log.infoBytes());
      LogBuilder::writeFile(folder / "flight.KLD", data);
      const ConversionOutcome outcome =
          convertForOpen(folder / "flight.KLD", folder / "flight.csv", l.language);
      EXPECT_EQ(outcome.failure, std::nullopt);
      // The health lines follow it.
      EXPECT_THAT(openOutcomeText(outcome, l.language),
                  ::testing::HasSubstr(std::string("\n") + l.cutOff + "\n"));
      EXPECT_EQ(readFile(folder / "flight.csv"), convert(log).text());
    }
  }
}

}  // namespace
}  // namespace trelvox
