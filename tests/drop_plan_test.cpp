#include "app/windows/drop_plan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/windows/drop_summary.h"
#include "tests/csv_table.h"
#include "tests/dialog_logs.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;

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
      dropOutcomeText(plan, {}, Language::kEnglish),
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
       "Logs converted: 0 (0 green, 0 amber, 0 red); failed: 2\n\n"
       "• notes.txt: Not a flight log (.KLD).\n"
       "• photos: No flight log (.KLD) in this folder."},
      {Language::kGerman,
       "Umgewandelte Logs: 0 (0 grün, 0 gelb, 0 rot); fehlgeschlagen: 2\n\n"
       "• notes.txt: Kein Flug-Log (.KLD).\n"
       "• photos: Kein Flug-Log (.KLD) in diesem Ordner."},
      {Language::kJapanese,
       "変換したログ：0件（緑0件、黄0件、赤0件）、失敗：2件\n\n"
       "• notes.txt：フライトログ(.KLD)ではありません。\n"
       "• photos：このフォルダーにはフライトログ(.KLD)がありません。"},
  };
  const ConversionOutcome failed[] = {plan[0], plan[3]};
  for (const auto& c : cases) EXPECT_EQ(dropOutcomeText(failed, {}, c.language), c.expected);
}

}  // namespace
}  // namespace trelvox
