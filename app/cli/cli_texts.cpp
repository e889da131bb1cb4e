#include "app/cli/cli_texts.h"

#include "conversion/path_text.h"

namespace trelvox {
namespace {

constexpr SummaryLabels kEnglish{
    .slot = "Slot",
    .smallest = "smallest",
    .largest = "largest",
    .last = "last",
    .flight = "Flight",
    .records = "Records",
    .duration = "Duration",
    .stepsOverOneSecond = "Time steps over 1 s",
    .longestStep = "longest",
    .backwards = "Times that went backwards",
    .trailingBytes = "Bytes of a trailing partial record",
    .facts = {"Greatest height above the start", "Greatest distance from the start",
              "Top ground speed", "Lowest receiver battery voltage", "Highest current",
              "Capacity used", "Highest temperature"},
    .flights = "Flights",
    .airTime = "air time",
};

constexpr SummaryLabels kGerman{
    .slot = "Steckplatz",
    .smallest = "kleinster",
    .largest = "größter",
    .last = "letzter",
    .flight = "Flug",
    .records = "Datensätze",
    .duration = "Dauer",
    .stepsOverOneSecond = "Zeitschritte über 1 s",
    .longestStep = "längster",
    .backwards = "Rücksprünge der Zeit",
    .trailingBytes = "Bytes eines unvollständigen letzten Datensatzes",
    .facts = {"Größte Höhe über dem Start", "Größte Entfernung vom Start",
              "Höchste Geschwindigkeit über Grund", "Niedrigste Empfänger-Akkuspannung",
              "Höchster Strom", "Verbrauchte Kapazität", "Höchste Temperatur"},
    .flights = "Flüge",
    .airTime = "Flugzeit",
};

constexpr SummaryLabels kJapanese{
    .slot = "スロット",
    .smallest = "最小",
    .largest = "最大",
    .last = "最終",
    .flight = "フライト",
    .records = "レコード数",
    .duration = "飛行時間",
    .stepsOverOneSecond = "1秒を超える時間間隔",
    .longestStep = "最長",
    .backwards = "時間の逆行",
    .trailingBytes = "末尾の不完全なレコードのバイト数",
    .facts = {"スタート地点からの最高高度", "スタート地点からの最大距離", "最高対地速度",
              "受信機バッテリーの最低電圧", "最大電流", "使用容量", "最高温度"},
    .flights = "フライト数",
    .airTime = "滞空時間",
};

// The one of a text's three wordings that the message language calls for.
template <typename Text>
const Text& inLanguage(Language language, const Text& english, const Text& german,
                       const Text& japanese) {
  switch (language) {
    case Language::kGerman:
      return german;
    case Language::kJapanese:
      return japanese;
    case Language::kEnglish:
      break;
  }
  return english;
}

}  // namespace

const SummaryLabels& summaryLabels(Language language) {
  return inLanguage(language, kEnglish, kGerman, kJapanese);
}

std::string_view noPositionNote(Language language) {
  return inLanguage<std::string_view>(language, "no position in the log, no track file written",
                                      "keine Position im Log, keine Track-Datei geschrieben",
                                      "位置情報がないため、トラックファイルは作成されませんでした");
}

std::string_view noLogInFolderNote(Language language) {
  return inLanguage<std::string_view>(language, "a folder without any log (.KLD file)",
                                      "ein Ordner ohne Log (.KLD-Datei)",
                                      "ログ(.KLDファイル)のないフォルダーです");
}

}  // namespace trelvox
