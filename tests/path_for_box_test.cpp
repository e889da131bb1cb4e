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

// A folder of ten of a character between "/logs/" and "/f.KLI" (12 columns): the path stays whole
// in exactly as many columns as its characters take, and loses the folder in one column less. Only
// East Asian wide and fullwidth characters take two.
TEST(DialogPathForBox, OnlyWideCharactersTakeTwoColumns) {
  const struct {
    const char* character;
    std::size_t columns;
  } cases[] = {
      {"a", 1},           // ASCII
      {"\u00FC", 1},      // ü, as in "Flüge"
      {"\u00E9", 1},      // é
      {"\u03A9", 1},      // Greek capital omega
      {"\u0416", 1},      // Cyrillic zhe
      {"\u20AC", 1},      // euro sign
      {"\uFF71", 1},      // halfwidth katakana a
      {"\xFF", 1},        // a byte that is no character (a Linux name may hold any bytes)
      {"\u98DB", 2},      // 飛, a CJK ideograph
      {"\u30D5", 2},      // フ, katakana
      {"\u3042", 2},      // あ, hiragana
      {"\uD55C", 2},      // 한, Hangul
      {"\uFF21", 2},      // Ａ, fullwidth A
      {"\u3000", 2},      // ideographic space
      {"\U00020000", 2},  // a CJK ideograph beyond the first plane
      {"\U0001F681", 2},  // helicopter emoji
  };
  for (const auto& c : cases) {
    std::string folder;
    for (int k = 0; k < 10; ++k) folder += c.character;
    const std::string path = "/logs/" + folder + "/f.KLI";
    const std::size_t columns = 12 + 10 * c.columns;
    EXPECT_EQ(pathForBox(pathFromUtf8(path), columns), path) << c.character;
    EXPECT_EQ(pathForBox(pathFromUtf8(path), columns - 1), "/logs/.../f.KLI") << c.character;
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
