// The health check's limits file: what it says, every fault it can have (named with its line and
// column), and where it is found beside a log.
#include "outputs/health/limits_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

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

TEST(LimitsFile, EveryFaultNamesFileLineColumnAndWhatIsWrong) {
  struct Case {
    const char* text;
    const char* where;  // "file:line:column"
    const char* what;
  };
  const Case cases[] = {
      {"[checks\ngap = [1.0]\n", "model.toml:1:", "syntax error"},
      {"[chekcs]\n", "model.toml:1:2:", "unknown table or key \"chekcs\""},
      {"[checks]\nmerge = 1\nmreg = 2\n", "model.toml:3:1:", "unknown table or key \"mreg\""},
      {"[[limit]]\nitem = \"BATTERY\"\nbelo = [4.8]\n",
       "model.toml:3:1:", "unknown table or key \"belo\""},
      {"[[limit]]\nitem = \"BATTERY\"\n", "model.toml:1:", "neither below nor above"},
      {"[[limit]]\nbelow = [4.8]\n",
       "model.toml:1:", "names none of sensor, slot, item or quantity"},
      {"[[limit]]\nitem = \"A\"\nbelow = [3.3, 3.5]\n",
       "model.toml:3:15:", "the red value must be lower than the amber value"},
      {"[[limit]]\nitem = \"A\"\nbelow = [3.5, 3.5]\n",
       "model.toml:3:15:", "the red value must be lower"},
      {"[[limit]]\nitem = \"A\"\nabove = [100, 80]\n",
       "model.toml:3:15:", "the red value must be higher than the amber value"},
      {"[checks]\ngap = [5.0, 1.0]\n", "model.toml:2:13:", "the red value must be higher"},
      {"[[limit]]\nquantity = \"temprature\"\nabove = [80]\n",
       "model.toml:2:12:", "unknown quantity \"temprature\""},
      {"[[limit]]\nitem = \"A\"\nbelow = \"3.5\"\n", "model.toml:3:9:", "\"below\" must be a list"},
      {"[[limit]]\nitem = \"A\"\nbelow = []\n", "model.toml:3:9:", "\"below\" must be a list"},
      {"[[limit]]\nitem = \"A\"\nbelow = [1, 2, 3]\n", "model.toml:3:9:", "must be a list"},
      {"[[limit]]\nitem = \"A\"\nbelow = [\"3.5\"]\n",
       "model.toml:3:10:", "\"below\" must be a number"},
      {"[[limit]]\nitem = \"A\"\ncells = 2.5\nbelow = [3]\n",
       "model.toml:3:9:", "\"cells\" must be a whole number"},
      {"[[limit]]\nitem = \"A\"\ncells = 0\nbelow = [3]\n",
       "model.toml:3:9:", "\"cells\" must be from 1 to 100"},
      {"[[limit]]\nsensor = 5\nbelow = [3]\n", "model.toml:2:10:", "\"sensor\" must be a text"},
      {"[[limit]]\nslot = 32\nbelow = [3]\n", "model.toml:2:8:", "\"slot\" must be from 0 to 31"},
      {"[checks]\ndefaults = \"yes\"\n", "model.toml:2:12:", "\"defaults\" must be true or false"},
      {"[checks]\noff = [\"gaps\"]\n", "model.toml:2:8:", "unknown check \"gaps\""},
      {"[checks]\noff = \"gap\"\n", "model.toml:2:7:", "\"off\" must be a list of check names"},
      {"[checks]\nmerge = -1.0\n", "model.toml:2:9:", "\"merge\" must not be negative"},
      {"[checks]\nfix_lost = 1e13\n", "model.toml:2:12:", "must lie within 10^12"},
      {"[checks]\nends_above = 0.0000000001\n", "model.toml:2:14:", "at most 9 decimals"},
      {"checks = 3\n", "model.toml:1:10:", "\"checks\" must be a table"},
      {"[limit]\nitem = \"A\"\n", "model.toml:1:", "written as [[limit]] tables"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      parseLimits(c.text, "model.toml");
      ADD_FAILURE() << "no fault found";
    } catch (const LimitsFileFault& fault) {
      EXPECT_THAT(fault.what(), ::testing::StartsWith(c.where));
      EXPECT_THAT(fault.what(), HasSubstr(c.what));
    }
  }
}

TEST(LimitsFile, AFileThatCannotBeReadIsAFault) {
  const TempFolder folder;
  EXPECT_THROW(readLimitsFile(folder / "missing.toml", "missing.toml"), LimitsFileFault);
  EXPECT_THROW(readLimitsFile(folder.path(), "folder"), LimitsFileFault);
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
