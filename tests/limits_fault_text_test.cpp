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

constexpr std::array kLanguages{Language::kEnglish, Language::kGerman, Language::kJapanese};

std::string faultIn(std::string_view limits, Language language) {
  try {
    parseLimits(limits, "m.toml");
  } catch (const LimitsFileFault& fault) {
    return limitsFaultText(fault.fault(), language);
  }
  return "no fault found";
}

struct Case {
  const char* limits;
  std::array<const char*, 3> texts;  // English, German, Japanese
};

void expectTexts(const Case& c) {
  SCOPED_TRACE(c.limits);
  for (std::size_t l = 0; l < kLanguages.size(); ++l) {
    EXPECT_EQ(faultIn(c.limits, kLanguages[l]), c.texts[l]);
  }
}

TEST(LimitsFaultText, ADecimalCommaIsToldWithTheNumberAsItShouldBeWritten) {
  const Case cases[] = {
      // A syntax error to the parser.
      {"[[limit]]\nitem = \"BATTERY\"\nbelow = 4,8\n",
       {"m.toml, line 3, column 9: `4,8` has a decimal comma: write a point instead, as in `4.8`. "
        "Nothing was converted.",
        "m.toml, Zeile 3, Spalte 9: `4,8` enthält ein Dezimalkomma: Bitte mit Punkt schreiben, "
        "also `4.8`. Es wurde nichts umgewandelt.",
        "m.toml、3 行 9 列：`4,8` の小数点がカンマになっています。`4.8` のようにピリオドで書いて"
        "ください。何も変換されませんでした。"}},
      // A list of three numbers to the parser.
      {"[[limit]]\nitem = \"TEMP.\"\nabove = [15,5, 20]\n",
       {"m.toml, line 3, column 10: `15,5` has a decimal comma: write a point instead, as in "
        "`15.5`. Nothing was converted.",
        "m.toml, Zeile 3, Spalte 10: `15,5` enthält ein Dezimalkomma: Bitte mit Punkt schreiben, "
        "also `15.5`. Es wurde nichts umgewandelt.",
        "m.toml、3 行 10 列：`15,5` の小数点がカンマになっています。`15.5` のようにピリオドで"
        "書いてください。何も変換されませんでした。"}},
      // Amber 4 and red 8 to the parser, red on the wrong side; a sign stays with its number.
      {"[checks]\nmerge = 1\n[[limit]]\nitem = \"A\"\nbelow = [-4,8]\n",
       {"m.toml, line 5, column 10: `-4,8` has a decimal comma: write a point instead, as in "
        "`-4.8`. Nothing was converted.",
        "m.toml, Zeile 5, Spalte 10: `-4,8` enthält ein Dezimalkomma: Bitte mit Punkt schreiben, "
        "also `-4.8`. Es wurde nichts umgewandelt.",
        "m.toml、5 行 10 列：`-4,8` の小数点がカンマになっています。`-4.8` のようにピリオドで"
        "書いてください。何も変換されませんでした。"}},
  };
  for (const Case& c : cases) expectTexts(c);
}

TEST(LimitsFaultText, AMissingQuoteIsToldWithTheTextInQuotes) {
  const Case cases[] = {
      {"[[limit]]\nsensor = VOLTAGE SENSOR # the pack\nbelow = [3.5]\n",
       {"m.toml, line 2, column 10: a quotation mark is missing: write texts in double quotes, as "
        "in \"VOLTAGE SENSOR\". Nothing was converted.",
        "m.toml, Zeile 2, Spalte 10: Hier fehlt ein Anführungszeichen: Texte stehen in doppelten "
        "Anführungszeichen, also \"VOLTAGE SENSOR\". Es wurde nichts umgewandelt.",
        "m.toml、2 行 10 列：引用符が足りません。文字列は \"VOLTAGE SENSOR\" のように二重引用符"
        "で囲んでください。何も変換されませんでした。"}},
      {"[model]\nname = \"Fox 3\n",
       {"m.toml, line 2, column 8: a quotation mark is missing: write texts in double quotes, as "
        "in \"Fox 3\". Nothing was converted.",
        "m.toml, Zeile 2, Spalte 8: Hier fehlt ein Anführungszeichen: Texte stehen in doppelten "
        "Anführungszeichen, also \"Fox 3\". Es wurde nichts umgewandelt.",
        "m.toml、2 行 8 列：引用符が足りません。文字列は \"Fox 3\" のように二重引用符で囲んで"
        "ください。何も変換されませんでした。"}},
      {"[checks]\noff = [gap]\n",
       {"m.toml, line 2, column 8: a quotation mark is missing: write texts in double quotes, as "
        "in \"gap\". Nothing was converted.",
        "m.toml, Zeile 2, Spalte 8: Hier fehlt ein Anführungszeichen: Texte stehen in doppelten "
        "Anführungszeichen, also \"gap\". Es wurde nichts umgewandelt.",
        "m.toml、2 行 8 列：引用符が足りません。文字列は \"gap\" のように二重引用符で囲んで"
        "ください。何も変換されませんでした。"}},
  };
  for (const Case& c : cases) expectTexts(c);
}

TEST(LimitsFaultText, AnUnknownKeyNamesTheNearestKeyOfItsTableOrElseAllOfThem) {
  const Case cases[] = {
      {"[[limit]]\nitem = \"BATTERY\"\nbelw = [4.8]\n",
       {"m.toml, line 3, column 1: unknown key `belw`; did you mean `below`? Nothing was "
        "converted.",
        "m.toml, Zeile 3, Spalte 1: Unbekannter Schlüssel `belw`; meinten Sie `below`? Es wurde "
        "nichts umgewandelt.",
        "m.toml、3 行 1 列：不明なキー `belw` です。`below` の間違いではありませんか？何も変換"
        "されませんでした。"}},
      // Two letters swapped and one missing: still close to a key of five letters.
      {"[flights]\nhieght = 20\n",
       {"m.toml, line 2, column 1: unknown key `hieght`; did you mean `height`? Nothing was "
        "converted.",
        "m.toml, Zeile 2, Spalte 1: Unbekannter Schlüssel `hieght`; meinten Sie `height`? Es "
        "wurde nichts umgewandelt.",
        "m.toml、2 行 1 列：不明なキー `hieght` です。`height` の間違いではありませんか？何も"
        "変換されませんでした。"}},
      {"[model]\ntitle = \"Fox\"\n",
       {"m.toml, line 2, column 1: unknown key `title`; the keys here are `name`. Nothing was "
        "converted.",
        "m.toml, Zeile 2, Spalte 1: Unbekannter Schlüssel `title`; hier gibt es `name`. Es wurde "
        "nichts umgewandelt.",
        "m.toml、2 行 1 列：不明なキー `title` です。ここで使えるキー：`name`。何も変換されません"
        "でした。"}},
  };
  for (const Case& c : cases) expectTexts(c);
}

TEST(LimitsFaultText, ARedValueOnTheWrongSideOfAmberSaysWhichSideItBelongsOn) {
  const Case cases[] = {
      {"[[limit]]\nitem = \"A\"\nbelow = [3.3, 3.5]\n",
       {"m.toml, line 3, column 15: the red value 3.5 of `below` must be lower than the amber "
        "value 3.3. Nothing was converted.",
        "m.toml, Zeile 3, Spalte 15: Der rote Wert 3.5 bei `below` muss niedriger sein als der "
        "gelbe Wert 3.3. Es wurde nichts umgewandelt.",
        "m.toml、3 行 15 列：`below` の赤の値 3.5 は、黄の値 3.3 より小さくしてください。何も"
        "変換されませんでした。"}},
      {"[[limit]]\nitem = \"A\"\nabove = [100, 80]\n",
       {"m.toml, line 3, column 15: the red value 80 of `above` must be higher than the amber "
        "value 100. Nothing was converted.",
        "m.toml, Zeile 3, Spalte 15: Der rote Wert 80 bei `above` muss höher sein als der gelbe "
        "Wert 100. Es wurde nichts umgewandelt.",
        "m.toml、3 行 15 列：`above` の赤の値 80 は、黄の値 100 より大きくしてください。何も"
        "変換されませんでした。"}},
  };
  for (const Case& c : cases) expectTexts(c);
}

TEST(LimitsFaultText, TheOtherFaultsAreSaidInEachLanguage) {
  const Case cases[] = {
      {"[[limit]]\nitem = \"A\"\nbelow = [\"3.5\"]\n",
       {"m.toml, line 3, column 10: `below` must be a number. Nothing was converted.",
        "m.toml, Zeile 3, Spalte 10: `below` muss eine Zahl sein. Es wurde nichts umgewandelt.",
        "m.toml、3 行 10 列：`below` は数値にしてください。何も変換されませんでした。"}},
      {"[[limit]]\nitem = \"A\"\ncells = 0\nbelow = [3]\n",
       {"m.toml, line 3, column 9: `cells` must be a whole number from 1 to 100. Nothing was "
        "converted.",
        "m.toml, Zeile 3, Spalte 9: `cells` muss eine ganze Zahl von 1 bis 100 sein. Es wurde "
        "nichts umgewandelt.",
        "m.toml、3 行 9 列：`cells` は 1 から 100 までの整数にしてください。何も変換されません"
        "でした。"}},
      {"[[limit]]\nslot = 3\n",
       {"m.toml, line 1, column 1: a [[limit]] needs one of `below`, `above`. Nothing was "
        "converted.",
        "m.toml, Zeile 1, Spalte 1: Ein [[limit]] braucht einen der Schlüssel `below`, `above`. "
        "Es wurde nichts umgewandelt.",
        "m.toml、1 行 1 列：[[limit]] には `below`、`above` のいずれかが必要です。何も変換"
        "されませんでした。"}},
      {"[checks]\noff = [\"gps_fix_lost\", \"landing\"]\n",
       {"m.toml, line 2, column 24: unknown name `landing` for `off`; the names are `gap`, "
        "`clock_back`, `gps_fix_lost`, `ends_in_air`, `cut_short`. Nothing was converted.",
        "m.toml, Zeile 2, Spalte 24: Unbekannter Name `landing` für `off`; möglich sind `gap`, "
        "`clock_back`, `gps_fix_lost`, `ends_in_air`, `cut_short`. Es wurde nichts umgewandelt.",
        "m.toml、2 行 24 列：`off` に `landing` という名前はありません。使える名前：`gap`、"
        "`clock_back`、`gps_fix_lost`、`ends_in_air`、`cut_short`。何も変換されませんでした。"}},
      // No hint fits: the parser's own words, where they are said in the user's language.
      {"[checks\n",
       {"m.toml, line 1, column 8: Error while parsing table header: expected ']', saw '\\n'. "
        "Nothing was converted.",
        "m.toml, Zeile 1, Spalte 8: Error while parsing table header: expected ']', saw '\\n'. Es "
        "wurde nichts umgewandelt.",
        "m.toml、1 行 8 列：Error while parsing table header: expected ']', saw '\\n'.何も変換"
        "されませんでした。"}},
  };
  for (const Case& c : cases) expectTexts(c);
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
