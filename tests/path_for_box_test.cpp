#include "app/windows/path_for_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/windows/conversion_outcome.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;

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

}  // namespace
}  // namespace trelvox
