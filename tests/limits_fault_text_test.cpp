// A limits file's faults as the shells say them, in each language: where (line and column), what
// is wrong, what to write instead, and that nothing was converted.
#include "app/limits_fault_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "outputs/health/limits_file.h"
#include "outputs/health/nearest_key.h"

namespace trelvox {
namespace {

std::string faultIn(std::string_view limits, Language language) {
  try {
    parseLimits(limits, "m.toml");
  } catch (const LimitsFileFault& fault) {
    return limitsFaultText(fault.fault(), language);
  }
  return "no fault found";
}

// The faults in English; the other languages say the same through the message table (below).
struct Case {
  const char* limits;
  const char* text;
};

void expectText(const Case& c) {
  SCOPED_TRACE(c.limits);
  EXPECT_EQ(faultIn(c.limits, Language::kEnglish), c.text);
}

TEST(LimitsFaultText, ADecimalCommaIsToldWithTheNumberAsItShouldBeWritten) {
  const Case cases[] = {
      // A syntax error to the parser.
      {"[[limit]]\nitem = \"BATTERY\"\nbelow = 4,8\n",
       "m.toml, line 3, column 9: `4,8` has a decimal comma: write a point instead, as in `4.8`. "
       "Nothing was converted."},
      // A list of three numbers to the parser.
      {"[[limit]]\nitem = \"TEMP.\"\nabove = [15,5, 20]\n",
       "m.toml, line 3, column 10: `15,5` has a decimal comma: write a point instead, as in "
       "`15.5`. Nothing was converted."},
      // Amber 4 and red 8 to the parser, red on the wrong side; a sign stays with its number.
      {"[checks]\nmerge = 1\n[[limit]]\nitem = \"A\"\nbelow = [-4,8]\n",
       "m.toml, line 5, column 10: `-4,8` has a decimal comma: write a point instead, as in "
       "`-4.8`. Nothing was converted."},
  };
  for (const Case& c : cases) expectText(c);
}

TEST(LimitsFaultText, AMissingQuoteIsToldWithTheTextInQuotes) {
  const Case cases[] = {
      {"[[limit]]\nsensor = VOLTAGE SENSOR # the pack\nbelow = [3.5]\n",
       "m.toml, line 2, column 10: a quotation mark is missing: write texts in double quotes, as "
       "in \"VOLTAGE SENSOR\". Nothing was converted."},
      {"[model]\nname = \"Fox 3\n",
       "m.toml, line 2, column 8: a quotation mark is missing: write texts in double quotes, as "
       "in \"Fox 3\". Nothing was converted."},
      {"[checks]\noff = [gap]\n",
       "m.toml, line 2, column 8: a quotation mark is missing: write texts in double quotes, as "
       "in \"gap\". Nothing was converted."},
  };
  for (const Case& c : cases) expectText(c);
}

TEST(LimitsFaultText, AnUnknownKeyNamesTheNearestKeyOfItsTableOrElseAllOfThem) {
  const Case cases[] = {
      {"[[limit]]\nitem = \"BATTERY\"\nbelw = [4.8]\n",
       "m.toml, line 3, column 1: unknown key `belw`; did you mean `below`? Nothing was "
       "converted."},
      // Two letters swapped and one missing: still close to a key of five letters.
      {"[flights]\nhieght = 20\n",
       "m.toml, line 2, column 1: unknown key `hieght`; did you mean `height`? Nothing was "
       "converted."},
      {"[model]\ntitle = \"Fox\"\n",
       "m.toml, line 2, column 1: unknown key `title`; the keys here are `name`. Nothing was "
       "converted."},
  };
  for (const Case& c : cases) expectText(c);
}

TEST(LimitsFaultText, ARedValueOnTheWrongSideOfAmberSaysWhichSideItBelongsOn) {
  const Case cases[] = {
      {"[[limit]]\nitem = \"A\"\nbelow = [3.3, 3.5]\n",
       "m.toml, line 3, column 15: the red value 3.5 of `below` must be lower than the amber "
       "value 3.3. Nothing was converted."},
      {"[[limit]]\nitem = \"A\"\nabove = [100, 80]\n",
       "m.toml, line 3, column 15: the red value 80 of `above` must be higher than the amber "
       "value 100. Nothing was converted."},
  };
  for (const Case& c : cases) expectText(c);
}

TEST(LimitsFaultText, TheOtherFaultsAreSaid) {
  const Case cases[] = {
      {"[[limit]]\nitem = \"A\"\nbelow = [\"3.5\"]\n",
       "m.toml, line 3, column 10: `below` must be a number. Nothing was converted."},
      {"[[limit]]\nitem = \"A\"\ncells = 0\nbelow = [3]\n",
       "m.toml, line 3, column 9: `cells` must be a whole number from 1 to 100. Nothing was "
       "converted."},
      {"[[limit]]\nslot = 3\n",
       "m.toml, line 1, column 1: a [[limit]] needs one of `below`, `above`. Nothing was "
       "converted."},
      {"[checks]\noff = [\"gps_fix_lost\", \"landing\"]\n",
       "m.toml, line 2, column 24: unknown name `landing` for `off`; the names are `gap`, "
       "`clock_back`, `gps_fix_lost`, `ends_in_air`, `cut_short`. Nothing was converted."},
      // No hint fits: the parser's own words, where they are said in the user's language.
      {"[checks\n",
       "m.toml, line 1, column 8: Error while parsing table header: expected ']', saw '\\n'. "
       "Nothing was converted."},
  };
  for (const Case& c : cases) expectText(c);
}

// German and Japanese: the place in words, the fault's own text, and that nothing was converted.
TEST(LimitsFaultText, GermanAndJapaneseSayThePlaceAndTheFaultInTheirOwnWords) {
  const struct {
    const char* limits;
    Language language;
    const char* text;
  } cases[] = {
      {"[[limit]]\nitem = \"TEMP.\"\nabove = [15,5, 20]\n", Language::kGerman,
       "m.toml, Zeile 3, Spalte 10: `15,5` enthält ein Dezimalkomma: Bitte mit Punkt schreiben, "
       "also `15.5`. Es wurde nichts umgewandelt."},
      {"[[limit]]\nitem = \"TEMP.\"\nabove = [15,5, 20]\n", Language::kJapanese,
       "m.toml、3 行 10 列：`15,5` の小数点がカンマになっています。`15.5` のようにピリオドで"
       "書いてください。何も変換されませんでした。"},
      {"[[limit]]\nitem = \"BATTERY\"\nbelw = [4.8]\n", Language::kGerman,
       "m.toml, Zeile 3, Spalte 1: Unbekannter Schlüssel `belw`; meinten Sie `below`? Es wurde "
       "nichts umgewandelt."},
      {"[[limit]]\nitem = \"BATTERY\"\nbelw = [4.8]\n", Language::kJapanese,
       "m.toml、3 行 1 列：不明なキー `belw` です。`below` の間違いではありませんか？何も変換"
       "されませんでした。"},
      {"[[limit]]\nitem = \"A\"\nabove = [100, 80]\n", Language::kGerman,
       "m.toml, Zeile 3, Spalte 15: Der rote Wert 80 bei `above` muss höher sein als der gelbe "
       "Wert 100. Es wurde nichts umgewandelt."},
      {"[model]\nname = \"Fox 3\n", Language::kJapanese,
       "m.toml、2 行 8 列：引用符が足りません。文字列は \"Fox 3\" のように二重引用符で囲んで"
       "ください。何も変換されませんでした。"},
  };
  for (const auto& c : cases) EXPECT_EQ(faultIn(c.limits, c.language), c.text) << c.limits;
}

TEST(LimitsFaultText, ListsWithoutADecimalCommaAreReadAsWritten) {
  const HealthLimits limits =
      parseLimits("[[limit]]\nitem = \"A\"\nabove = [80,90]\nbelow = [4.8,4.4]\n", "m.toml");
  EXPECT_EQ(limits.limits[0].above->red->value(), 90.0);
  EXPECT_EQ(limits.limits[0].below->red->value(), 4.4);
}

TEST(NearestKey, OnlyAKeyATypingSlipAwayIsOffered) {
  const std::array<std::string_view, 4> keys{"height", "speed", "join", "shortest"};
  const struct {
    const char* typed;
    const char* nearest;  // nullptr: none close enough
  } cases[] = {
      {"hight", "height"}, {"speeed", "speed"}, {"jion", "join"},  {"shrotest", "shortest"},
      {"jo", nullptr},     {"loin", "join"},    {"lion", nullptr}, {"altitude", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::optional<std::string_view> nearest = nearestKey(c.typed, keys);
    if (c.nearest == nullptr) {
      EXPECT_EQ(nearest, std::nullopt);
    } else {
      EXPECT_EQ(nearest, c.nearest);
    }
  }
}

}  // namespace
}  // namespace trelvox
