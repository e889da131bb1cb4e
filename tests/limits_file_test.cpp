// The health check's limits file: what it says, every fault it can have (named with its line and
// column), and where it is found beside a log.
#include "outputs/health/limits_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/limits_fault_text.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// A setting of [checks] as the file gives it.
const Thresholds& settingInFile(const HealthLimits& limits, std::string_view key) {
  const auto setting = std::ranges::find(limits.settings, key,
                                         [](const auto& s) { return std::string_view(s.first); });
  EXPECT_NE(setting, limits.settings.end()) << key;
  return setting->second;
}

TEST(LimitsFile, TheExampleFileReadsAsItSays) {
  const fs::path example = fs::path(TRELVOX_SOURCE_DIR) / "docs" / "trelvox.toml";
  const HealthLimits limits = readLimitsFile(example, "trelvox.toml");
  EXPECT_EQ(settingInFile(limits, "gap").amber.value(), 1.0);
  EXPECT_EQ(settingInFile(limits, "gap").red->value(), 5.0);
  EXPECT_EQ(limits.merge.value(), 2.0);
  EXPECT_TRUE(limits.defaults);
  ASSERT_EQ(limits.limits.size(), 2u);
  const Limit& pack = limits.limits[0];
  EXPECT_EQ(pack.sensor, "VOLTAGE SENSOR");
  EXPECT_EQ(pack.cells, 3);
  EXPECT_EQ(pack.below->amber.number, 35);
  EXPECT_EQ(pack.below->amber.scale, 1);
  EXPECT_EQ(limits.limits[1].quantity, Quantity::kTemperature);
  EXPECT_EQ(limits.limits[1].above->red->value(), 100.0);
}

TEST(LimitsFile, FloatsBecomeTheDecimalsThePilotWrote) {
  const HealthLimits limits = parseLimits("[[limit]]\nitem = \"X\"\nbelow = [4.8, 0.1]\n", "f");
  const Thresholds& below = *limits.limits[0].below;
  EXPECT_EQ(below.amber.number, 48);
  EXPECT_EQ(below.amber.scale, 1);
  EXPECT_EQ(below.red->number, 1);
  EXPECT_EQ(below.red->scale, 1);
}

// The fault in `text`, as the English shells say it.
std::string faultIn(std::string_view text) {
  try {
    parseLimits(text, "model.toml");
  } catch (const LimitsFileFault& fault) {
    return limitsFaultText(fault.fault(), Language::kEnglish);
  }
  return "no fault found";
}

TEST(LimitsFile, EveryFaultNamesFileLineColumnAndWhatIsWrong) {
  struct Case {
    const char* text;
    const char* where;
    const char* what;
  };
  const Case cases[] = {
      {"[checks\ngap = [1.0]\n", "model.toml, line 1, column 8: ", "expected ']'"},
      {"[chekcs]\n",
       "model.toml, line 1, column 2: ", "unknown key `chekcs`; did you mean `checks`?"},
      {"[checks]\nmerge = 1\nmreg = 2\n",
       "model.toml, line 3, column 1: ", "unknown key `mreg`; did you mean `merge`?"},
      {"[[limit]]\nitem = \"BATTERY\"\nbelo = [4.8]\n",
       "model.toml, line 3, column 1: ", "unknown key `belo`; did you mean `below`?"},
      {"[[limit]]\nitem = \"BATTERY\"\n",
       "model.toml, line 1, column 1: ", "a [[limit]] needs one of `below`, `above`."},
      {"[[limit]]\nbelow = [4.8]\n", "model.toml, line 1, column 1: ",
       "a [[limit]] needs one of `sensor`, `slot`, `item`, `quantity`."},
      {"[[limit]]\nitem = \"A\"\nbelow = [3.3, 3.5]\n", "model.toml, line 3, column 15: ",
       "the red value 3.5 of `below` must be lower than the amber value 3.3."},
      {"[[limit]]\nitem = \"A\"\nbelow = [3.5, 3.5]\n",
       "model.toml, line 3, column 15: ", "the red value 3.5 of `below` must be lower"},
      {"[[limit]]\nitem = \"A\"\nabove = [100, 80]\n", "model.toml, line 3, column 15: ",
       "the red value 80 of `above` must be higher than the amber value 100."},
      {"[checks]\ngap = [5.0, 1.0]\n",
       "model.toml, line 2, column 13: ", "the red value 1 of `gap` must be higher"},
      {"[[limit]]\nquantity = \"temprature\"\nabove = [80]\n", "model.toml, line 2, column 12: ",
       "unknown name `temprature` for `quantity`; the names are `voltage`, `current`,"},
      {"[[limit]]\nitem = \"A\"\nbelow = \"3.5\"\n", "model.toml, line 3, column 9: ",
       "`below` must be a list of one or two numbers: [amber] or [amber, red]."},
      {"[[limit]]\nitem = \"A\"\nbelow = []\n",
       "model.toml, line 3, column 9: ", "`below` must be a list"},
      {"[[limit]]\nitem = \"A\"\nbelow = [1, 2, 3]\n",
       "model.toml, line 3, column 9: ", "must be a list"},
      {"[[limit]]\nitem = \"A\"\nbelow = [\"3.5\"]\n",
       "model.toml, line 3, column 10: ", "`below` must be a number."},
      {"[[limit]]\nitem = \"A\"\ncells = 2.5\nbelow = [3]\n",
       "model.toml, line 3, column 9: ", "`cells` must be a whole number from 1 to 100."},
      {"[[limit]]\nitem = \"A\"\ncells = 0\nbelow = [3]\n",
       "model.toml, line 3, column 9: ", "`cells` must be a whole number from 1 to 100."},
      {"[[limit]]\nsensor = 5\nbelow = [3]\n",
       "model.toml, line 2, column 10: ", "`sensor` must be a text in double quotes."},
      {"[[limit]]\nslot = 32\nbelow = [3]\n",
       "model.toml, line 2, column 8: ", "`slot` must be a whole number from 0 to 31."},
      {"[checks]\ndefaults = \"yes\"\n",
       "model.toml, line 2, column 12: ", "`defaults` must be true or false."},
      {"[checks]\noff = [\"gaps\"]\n",
       "model.toml, line 2, column 8: ", "unknown name `gaps` for `off`"},
      {"[checks]\noff = \"gap\"\n",
       "model.toml, line 2, column 7: ", "`off` must be a list of check names in double quotes."},
      {"[checks]\nmerge = -1.0\n",
       "model.toml, line 2, column 9: ", "`merge` must not be negative."},
      {"[checks]\nfix_lost = 1e13\n",
       "model.toml, line 2, column 12: ", "`fix_lost` must lie between -10^12 and 10^12"},
      {"[checks]\nends_above = 0.0000000001\n",
       "model.toml, line 2, column 14: ", "and have at most 9 decimals."},
      {"checks = 3\n", "model.toml, line 1, column 10: ",
       "`checks` must be a table: write it as the heading [checks]."},
      {"[limit]\nitem = \"A\"\n", "model.toml, line 1, column 1: ",
       "`limit` must be a table: write it as the heading [[limit]]."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string text = faultIn(c.text);
    EXPECT_THAT(text, ::testing::StartsWith(c.where));
    EXPECT_THAT(text, HasSubstr(c.what));
    EXPECT_THAT(text, ::testing::EndsWith(" Nothing was converted."));
  }
}

TEST(LimitsFile, AFileThatCannotBeReadIsAFault) {
  const TempFolder folder;
  for (const fs::path& path : {folder / "missing.toml", folder.path()}) {
    try {
      readLimitsFile(path, "limits.toml");
      ADD_FAILURE() << path << " was read";
    } catch (const LimitsFileFault& fault) {
      EXPECT_EQ(limitsFaultText(fault.fault(), Language::kGerman),
                "limits.toml kann nicht gelesen werden. Es wurde nichts umgewandelt.");
    }
  }
}

void writeText(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

TEST(LimitsFile, FoundInTheNearestFolderAboveTheLog) {
  const TempFolder card;
  const fs::path model = card.path() / "models" / "glider";
  fs::create_directories(model);
  writeText(card / "trelvox.toml", "");
  EXPECT_EQ(findLimitsFile(model / "flight.KLD"), card / "trelvox.toml");

  // A folder named like the file is not one; a nearer file is taken before the card's.
  fs::create_directories(model / "trelvox.toml");
  EXPECT_EQ(findLimitsFile(model / "flight.KLD"), card / "trelvox.toml");
  writeText(card.path() / "models" / "trelvox.toml", "");
  EXPECT_EQ(findLimitsFile(model / "flight.KLD"), card.path() / "models" / "trelvox.toml");
}

}  // namespace
}  // namespace trelvox
