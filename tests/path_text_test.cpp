#include "conversion/path_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/cli/command_line.h"
#include "conversion/log_files.h"
#include "support/log_builder.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;

TEST(PathText, Utf8NamesSurviveTheRoundTrip) {
  for (const char* text :
       {"/logs/flight01.KLD", "/ログ.フォルダ/フライト.KLD", "Öffnen/ü.csv", ""}) {
    EXPECT_EQ(displayPath(pathFromUtf8(text)), text);
  }
  EXPECT_EQ(displayPath(pathFromUtf8("/ログ/飛行.KLD").filename()), "飛行.KLD");
}

TEST(BasePath, CutsTheFileNamesExtensionOnly) {
  const struct {
    const char* chosen;
    const char* base;
  } cases[] = {
      {"/logs/flight01.KLD", "/logs/flight01"},
      {"/my.logs/flight", "/my.logs/flight"},  // the folder's dot is no extension
      {"/my.logs/flight.KLD", "/my.logs/flight"},
      {"/logs/a.b.KLD", "/logs/a.b"},
      {"/ログ.フォルダ/フライト.KLD", "/ログ.フォルダ/フライト"},
      {"flight.kld", "flight"},
      {"flight", "flight"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(displayPath(basePathOf(pathFromUtf8(c.chosen))), c.base) << c.chosen;
  }
}

class JapaneseFolder : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(folder_); }

  TempFolder temp_;
  fs::path folder_ = temp_.path() / pathFromUtf8("テスト.フォルダ");
};

TEST_F(JapaneseFolder, CompanionWithLowerCaseExtensionIsFound) {
  std::ofstream(folder_ / pathFromUtf8("飛行.kli")) << "x";
  EXPECT_EQ(companionFile(folder_ / pathFromUtf8("飛行"), ".KLI"),
            folder_ / pathFromUtf8("飛行.kli"));
}

TEST_F(JapaneseFolder, CommandLineConvertsAndNamesTheCsvInUtf8) {
  LogBuilder log;
  log.record();
  log.writeFiles(folder_ / pathFromUtf8("フライト"));
  const std::string chosen = displayPath(folder_ / pathFromUtf8("フライト.KLD"));
  const char* argv[] = {"trelvox", "--lang", "ja", chosen.c_str()};
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(runCommandLine(4, argv, {}, out, err), 0) << err.str();
  EXPECT_EQ(out.str(), "フライト.csv ファイルが作成されました\n");
  EXPECT_TRUE(fs::exists(folder_ / pathFromUtf8("フライト.csv")));
}

TEST_F(JapaneseFolder, FailureNamesTheLogInUtf8) {
  const std::string chosen = displayPath(folder_ / pathFromUtf8("無い.KLD"));
  const char* argv[] = {"trelvox", chosen.c_str()};
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(runCommandLine(2, argv, {}, out, err), 1);
  EXPECT_EQ(err.str().substr(0, chosen.size() + 37),
            chosen + ": Infotmation file(.KLI) not found. (");
}

}  // namespace
}  // namespace trelvox
