// The table of the checks of the whole log: each check has its words in every language, its name
// in the limits file, and its settings there.
#include "outputs/health/log_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/limits_fault_text.h"
#include "app/messages.h"
#include "outputs/report/page_texts.h"

namespace trelvox {
namespace {

constexpr PageLanguage kLanguages[] = {PageLanguage::kEnglish, PageLanguage::kGerman,
                                       PageLanguage::kJapanese};

TEST(LogChecks, EveryCheckHasItsWordsInEachLanguageAndTheShellsSayThem) {
  for (const LogCheckRow& check : logChecks()) {
    for (const PageLanguage language : kLanguages) {
      SCOPED_TRACE(std::string(check.name) + " " + std::string(languageCode(language)));
      const std::string_view words = checkWords(check.name, language);
      EXPECT_FALSE(words.empty());
      EXPECT_NE(words, check.name);
    }
    for (const Language language : {Language::kEnglish, Language::kGerman, Language::kJapanese}) {
      EXPECT_EQ(healthLabels(language).checkWords(check.name),
                checkWords(check.name, pageLanguageOf(language)));
    }
  }
}

TEST(LogChecks, NamesAndSettingKeysAreOneEach) {
  std::set<std::string_view> names;
  std::set<std::string_view> keys{"merge", "defaults", "off"};  // the [checks] keys of limits
  for (const LogCheckRow& check : logChecks()) {
    EXPECT_TRUE(names.insert(check.name).second) << check.name;
    EXPECT_NE(check.name, kLimitCheckName);
    for (const CheckSetting& setting : check.settings) {
      EXPECT_TRUE(keys.insert(setting.key).second) << setting.key;
    }
  }
}

TEST(LogChecks, TheLimitsFileTakesEveryCheckByNameAndEverySetting) {
  for (const LogCheckRow& check : logChecks()) {
    SCOPED_TRACE(check.name);
    std::string file = "[checks]\noff = [\"" + std::string(check.name) + "\"]\n";
    for (const CheckSetting& setting : check.settings) {
      file += std::string(setting.key) +
              (setting.form == CheckSetting::Form::kAmberAndRed ? " = [1.5, 2.5]\n" : " = 1.5\n");
    }
    const HealthLimits limits = parseLimits(file, "trelvox.toml");
    EXPECT_TRUE(limits.isOff(check.name));
    for (const CheckSetting& setting : check.settings) {
      EXPECT_EQ(limits.valueOf(setting).amber.value(), 1.5);
      EXPECT_EQ(HealthLimits{}.valueOf(setting).amber.value(), setting.defaultValue.amber.value());
    }
  }
}

TEST(LogChecks, AnUnknownCheckNamesTheChecksThereAre) {
  std::string names;
  for (const LogCheckRow& check : logChecks()) {
    names.append(names.empty() ? "`" : ", `").append(check.name).append("`");
  }
  EXPECT_THAT(names, ::testing::StartsWith(
                         "`gap`, `clock_back`, `gps_fix_lost`, `ends_in_air`, `cut_short`"));
  try {
    parseLimits("[checks]\noff = [\"gaps\"]\n", "model.toml");
    ADD_FAILURE() << "no fault found";
  } catch (const LimitsFileFault& fault) {
    EXPECT_EQ(limitsFaultText(fault.fault(), Language::kEnglish),
              "model.toml, line 2, column 8: unknown name `gaps` for `off`; the names are " +
                  names + ". Nothing was converted.");
  }
}

}  // namespace
}  // namespace trelvox
