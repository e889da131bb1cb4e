#include "app/windows/dialog_decisions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "conversion/path_text.h"
#include "support/log_builder.h"
#include "tests/csv_table.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::Field;

TEST(DialogLanguage, PrimaryLanguageOfTheLangIdPicksTheResources) {
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

TEST(DialogSeparators, OnlyAOneByteFirstCharacterReplacesTheDefault) {
  EXPECT_EQ(separatorFromLocaleText(u";", ','), ';');
  EXPECT_EQ(separatorFromLocaleText(u",", '.'), ',');
  EXPECT_EQ(separatorFromLocaleText(u";x", ','), ';');
  EXPECT_EQ(separatorFromLocaleText(u"", ','), ',');
  EXPECT_EQ(separatorFromLocaleText(u"\u00A0", ','), ',');  // no-break space
  EXPECT_EQ(separatorFromLocaleText(u"\u060C", ','), ',');  // Arabic comma
  EXPECT_EQ(separatorFromLocaleText(u"\u3001", ','), ',');  // ideographic comma
}

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

LogBuilder logWith(int records, std::initializer_list<int> sensorTypes) {
  LogBuilder log;
  int slot = 1;
  for (const int type : sensorTypes) {
    log.sensor(slot, type);
    slot += std::max(slotsOccupied(type), 1);
  }
  for (int k = 0; k < records; ++k) log.record();
  return log;
}

TEST(DialogConversion, SaysHowManyRecordsAndSensorsWereConverted) {
  constexpr int kNoDecoder = 5;
  const struct {
    LogBuilder log;
    const char* expected;
  } cases[] = {
      {logWith(3, {typeIdOf<VoltageSensorDecoder>(), typeIdOf<OrvaneGpsDecoder>(),
                   typeIdOf<OrvaneCurrentSensorDecoder>()}),
       "flight.csv was generated.\nRecords: 3, sensors: 3\nHealth: green"},
      {logWith(1, {typeIdOf<OrvaneTemperatureSensorDecoder>()}),
       "flight.csv was generated.\nRecords: 1, sensors: 1\nHealth: green"},
      {logWith(0, {typeIdOf<VoltageSensorDecoder>()}),
       "flight.csv was generated.\nRecords: 0, sensors: 1\n"
       "The log holds no records: the CSV file has only its header rows.\nHealth: none"},
      {logWith(2, {}),
       "flight.csv was generated.\nRecords: 2, sensors: 0\n"
       "The log names no sensor: the CSV file has only the receiver's columns.\nHealth: green"},
      {logWith(2, {kNoDecoder}),
       "flight.csv was generated.\nRecords: 2, sensors: 0\n"
       "The log names no sensor: the CSV file has only the receiver's columns.\nHealth: green"},
      {logWith(0, {}),
       "flight.csv was generated.\nRecords: 0, sensors: 0\n"
       "The log holds no records: the CSV file has only its header rows.\n"
       "The log names no sensor: the CSV file has only the receiver's columns.\nHealth: none"},
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

// The success box's health line names the first red event before any amber one, in the dialog's
// language, and a limits file above the log is found as on the command line.
TEST(ShellConversion, HealthLineNamesTheFirstRedEventInEachLanguage) {
  TempFolder folder;
  fs::create_directories(folder / "model");
  LogBuilder log;
  for (const int tenths : {46, 50, 43, 50}) log.record().word(0, 0x4000 | tenths);
  log.writeFiles(folder / "model" / "flight");
  std::ofstream(folder / "trelvox.toml") << "[checks]\nmerge = 0\n";
  const struct {
    Language language;
    const char* line;
  } cases[] = {
      {Language::kEnglish,
       "Health: red, 0:00:00.2  red  RECEIVER BATTERY below 4.4 V (amber 4.8 V): lowest 4.3 V"},
      {Language::kGerman,
       "Flugzustand: rot, 0:00:00.2  rot  RECEIVER BATTERY unter 4.4 V (gelb 4.8 V): niedrigster "
       "Wert 4.3 V"},
      {Language::kJapanese,
       "フライトの状態: 赤, 0:00:00.2  赤  RECEIVER BATTERY 未満 4.4 V (黄 4.8 V): 最低値 4.3 V"},
  };
  for (const auto& c : cases) {
    const ConversionOutcome outcome = convertForOpen(folder / "model" / "flight.KLD",
                                                     folder / "model" / "flight.csv", c.language);
    EXPECT_THAT(outcome.linesBelow, ::testing::EndsWith(std::string("\n") + c.line));
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
  EXPECT_EQ(outcome.linesBelow,
            "Records: 1, sensors: 0\n"
            "The log names no sensor: the CSV file has only the receiver's columns.\n"
            "Health: green");
}

TEST(DialogReport, ThePageGoesBesideTheCsvFileUnderItsName) {
  EXPECT_EQ(reportPageBeside("/logs/flight.csv"), fs::path("/logs/flight.html"));
  EXPECT_EQ(reportPageBeside("/my.logs/flight"), fs::path("/my.logs/flight.html"));
  EXPECT_EQ(reportPageBeside("/logs/a.b.CSV"), fs::path("/logs/a.b.html"));
  EXPECT_EQ(reportPageBeside("/ログ/フライト.csv"), fs::path("/ログ/フライト.html"));
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
       "Health: green"},
      {Language::kGerman, "<!DOCTYPE html>\n<html lang=\"de\"",
       "flight.csv wurde erzeugt\nflight.html wurde erzeugt\nDatensätze: 3, Sensoren: 1\n"
       "Flugzustand: grün"},
      {Language::kJapanese, "<!DOCTYPE html>\n<html lang=\"ja\"",
       "flight.csv ファイルが作成されました\nflight.html ファイルが作成されました\n"
       "レコード数: 3、センサー数: 1\nフライトの状態: 緑"},
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
            "Datensätze: 1, Sensoren: 0\n"
            "Das Log nennt keinen Sensor: Die CSV-Datei hat nur die Spalten des Empfängers.\n"
            "Flugzustand: grün");
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

TEST(DialogDrop, ConvertsEachDroppedLogPairOnceBesideItself) {
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
  EXPECT_EQ(plan[3].failure, MessageId::kNotALog);
}

TEST(DialogDrop, ADroppedInfoFileWhoseDataFileIsMissingNamesTheDataFile) {
  TempFolder folder;
  logWith(1, {}).writeFiles(folder / "flight");
  fs::remove(folder / "flight.KLD");
  const std::vector<fs::path> dropped{folder / "flight.KLI"};
  std::vector<ConversionOutcome> plan = planDrop(dropped);
  ASSERT_EQ(plan.size(), 1u);
  convertLog(plan[0], LogConverter::ExistingOutput::kRefuse, Separators{}, Language::kEnglish,
             [](const fs::path&) { return SystemReason{"File not found."}; });
  EXPECT_EQ(
      dropOutcomeText(plan, Language::kEnglish),
      "flight.KLI: Cannot read file.\n" + (folder / "flight.KLD").string() + ": File not found.");
  EXPECT_FALSE(fs::exists(folder / "flight.csv"));
}

TEST(DialogDrop, AFileWithoutExtensionOrWithAnotherOneIsNoLog) {
  EXPECT_FALSE(isLogFile("/my.logs/flight"));
  EXPECT_FALSE(isLogFile("/logs/flight.csv"));
  EXPECT_FALSE(isLogFile("/logs/flight.KLDX"));
  EXPECT_TRUE(isLogFile("/logs/flight.kLd"));
  EXPECT_EQ(droppedLogOutput("/my.logs/x.y.KLD"), fs::path("/my.logs/x.y.csv"));
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

// A dropped folder stands for the logs in it, as on the command line; what is no log says so.
TEST(DialogDrop, AFolderGivesItsLogsAndWhatIsNoLogSaysSo) {
  TempFolder folder;
  fs::create_directories(folder / "card" / "sub");
  fs::create_directories(folder / "photos");
  logWith(1, {}).writeFiles(folder / "card" / "b");
  logWith(1, {}).writeFiles(folder / "card" / "a");
  logWith(1, {}).writeFiles(folder / "card" / "sub" / "deeper");  // not searched, as without -r
  LogBuilder::writeFile(folder / "notes.txt", {'x'});
  const std::vector<fs::path> dropped{folder / "notes.txt", folder / "card", folder / "photos",
                                      folder / "card" / "a.KLI"};  // already in the folder
  const std::vector<ConversionOutcome> plan = planDrop(dropped);
  ASSERT_EQ(plan.size(), 4u);
  EXPECT_EQ(plan[0].failure, MessageId::kNotALog);
  EXPECT_EQ(plan[1].output, folder / "card" / "a.csv");
  EXPECT_EQ(plan[2].output, folder / "card" / "b.csv");
  EXPECT_EQ(plan[3].log, folder / "photos");
  EXPECT_EQ(plan[3].failure, MessageId::kNoLogInFolder);

  const struct {
    Language language;
    const char* expected;
  } cases[] = {
      {Language::kEnglish,
       "notes.txt: Not a flight log (.KLD).\n"
       "photos: No flight log (.KLD) in this folder."},
      {Language::kGerman,
       "notes.txt: Kein Flug-Log (.KLD).\n"
       "photos: Kein Flug-Log (.KLD) in diesem Ordner."},
      {Language::kJapanese,
       "notes.txt: フライトログ(.KLD)ではありません。\n"
       "photos: このフォルダーにはフライトログ(.KLD)がありません。"},
  };
  const ConversionOutcome failed[] = {plan[0], plan[3]};
  for (const auto& c : cases) EXPECT_EQ(dropOutcomeText(failed, c.language), c.expected);
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
      // The health line follows it.
      EXPECT_THAT(outcome.linesBelow, ::testing::HasSubstr(std::string("\n") + l.cutOff + "\n"));
      EXPECT_EQ(readFile(folder / "flight.csv"), convert(log).text());
    }
  }
}

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

// The clues are read on the thread that converted the log: the C runtime's code comes first; a
// full disk is never guessed for a failure outside the C runtime.
TEST(DialogFailureReason, TheSystemsCodeIsTakenFromTheCluesThatTellIt) {
  constexpr unsigned long kPathNotFound = 3;
  constexpr unsigned long kAccessDenied = 5;
  const struct {
    FileFailureClues clues;
    unsigned long expected;
  } cases[] = {
      {{.runtimeCode = kPathNotFound, .runtimeErrno = ENOENT}, kPathNotFound},
      {{.runtimeCode = kAccessDenied, .runtimeErrno = EACCES, .diskFull = true}, kAccessDenied},
      {{.runtimeErrno = ENOSPC}, kSystemDiskFull},
      {{.runtimeErrno = EINVAL, .diskFull = true}, kSystemDiskFull},  // wine's short write
      {{.runtimeErrno = EINVAL}, 0},
      {{.runtimeErrno = EACCES, .replaceRefusal = kSystemLockViolation}, kSystemLockViolation},
      // Naming the finished file failed: the file is asked why; the disk's room is no reason.
      {{.diskFull = true, .replaceRefusal = kSystemSharingViolation}, kSystemSharingViolation},
      {{.diskFull = true}, 0},
      {{}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(systemCodeOf(c.clues), c.expected)
        << c.clues.runtimeCode << ' ' << c.clues.runtimeErrno << ' ' << c.clues.diskFull << ' '
        << c.clues.replaceRefusal;
  }
}

TEST(DialogPathForBox, ALongPathLosesFoldersInTheMiddleAndKeepsItsFileName) {
  const std::string deep = "Z:\\logs\\" + std::string(60, 'a') + "\\" + std::string(30, 'b') +
                           "\\" + std::string(20, 'c') + "\\flight.KLI";
  const struct {
    std::string path;
    std::size_t widest;
    std::string expected;
  } cases[] = {
      {"Z:\\logs\\flight.KLI", 100, "Z:\\logs\\flight.KLI"},
      {deep, 100,
       "Z:\\logs\\...\\" + std::string(30, 'b') + "\\" + std::string(20, 'c') + "\\flight.KLI"},
      {deep, 50, "Z:\\logs\\...\\" + std::string(20, 'c') + "\\flight.KLI"},
      {deep, 20, "Z:\\logs\\...\\flight.KLI"},
      {"/home/pilot/" + std::string(90, 'd') + "/flight.KLI", 40, "/home/.../flight.KLI"},
      // Japanese names take two columns a character.
      {"/ログ/" + std::string(20, 'e') + "/飛行フライト.KLI", 40, "/ログ/.../飛行フライト.KLI"},
      {"/ログ/" + std::string(20, 'e') + "/飛行フライト.KLI", 44,
       "/ログ/" + std::string(20, 'e') + "/飛行フライト.KLI"},
      // Nothing in the middle to leave out: a long file name stays whole.
      {"Z:\\logs\\" + std::string(120, 'f') + ".KLI", 100,
       "Z:\\logs\\" + std::string(120, 'f') + ".KLI"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pathForBox(pathFromUtf8(c.path), c.widest), c.expected) << c.path;
  }
}

TEST(DialogPathForBox, AMissingInfoFileDeepInFoldersIsNamedShortened) {
  const fs::path log = fs::path("/") / std::string(150, 'x') / "flight.KLD";
  const std::optional<ConversionOutcome> missing = missingInfoFile(log, Language::kEnglish);
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->linesBelow, "Looked for: /" + std::string(150, 'x') + "/flight.KLI");
  const fs::path deeper = fs::path("/cards") / std::string(150, 'x') / "flight.KLD";
  EXPECT_EQ(missingInfoFile(deeper, Language::kEnglish)->linesBelow,
            "Looked for: /cards/.../flight.KLI");
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

// The About box in pixels of a font wider than the template's: the icon at the left, the version
// beside the OK button, the notice below it.
constexpr ControlBox kIcon{16, 25, 46, 55};
constexpr ControlBox kOkButton{267, 11, 342, 35};
constexpr ControlBox kVersion{60, 15, 238, 27};
constexpr ControlBox kNotice{60, 37, 262, 49};
constexpr int kClientWidth = 352;
constexpr int kMargin = 10;

TEST(DialogTextRoom, TextsThatFitGetTheRoomBesideThemAndTheDialogStays) {
  const DialogText texts[] = {{kVersion, 150}, {kNotice, 250}};
  const ControlBox others[] = {kIcon, kOkButton};
  const TextRoom room = roomForTexts(texts, others, kClientWidth, kMargin);
  EXPECT_EQ(room.addedWidth, 0);
  // The version reaches the OK button, the notice below it the dialog's edge.
  EXPECT_THAT(room.textRights, ElementsAre(257, 342));
  EXPECT_THAT(room.otherShifts, ElementsAre(0, 0));
}

TEST(DialogTextRoom, ATextWiderThanItsRoomWidensTheDialogAndMovesWhatIsRightOfIt) {
  const struct {
    int versionWidth;
    int noticeWidth;
    int addedWidth;
  } cases[] = {
      {150, 300, 18},  // the notice is longer than the dialog is wide: "...into CSV" cut off
      {220, 250, 23},  // the version runs into the OK button
      {220, 300, 23},  // both: the larger need counts
      {197, 282, 0},   // exactly as much as there is room for
  };
  for (const auto& c : cases) {
    const DialogText texts[] = {{kVersion, c.versionWidth}, {kNotice, c.noticeWidth}};
    const ControlBox others[] = {kIcon, kOkButton};
    const TextRoom room = roomForTexts(texts, others, kClientWidth, kMargin);
    EXPECT_EQ(room.addedWidth, c.addedWidth) << c.versionWidth << ' ' << c.noticeWidth;
    EXPECT_THAT(room.textRights, ElementsAre(257 + c.addedWidth, 342 + c.addedWidth));
    EXPECT_THAT(room.otherShifts, ElementsAre(0, c.addedWidth));
    EXPECT_GE(room.textRights[0] - kVersion.left, c.versionWidth);
    EXPECT_GE(room.textRights[1] - kNotice.left, c.noticeWidth);
  }
}

}  // namespace
}  // namespace trelvox
