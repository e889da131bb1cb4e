#include "app/windows/dialog_language.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace trelvox {
namespace {

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

}  // namespace
}  // namespace trelvox
