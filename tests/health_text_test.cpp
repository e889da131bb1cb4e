// The Health block of `--summary` as a pilot reads it in English, German and Japanese: the
// verdict's colour and what it means, event times as m:ss.s or h:mm:ss.s from an hour, decimal
// commas in German, and Japanese word order and punctuation.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "conversion/decoder_registry.h"
#include "decoders/voltage_sensor.h"
#include "support/log_builder.h"
#include "tests/cli_run.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;

// A language and the decimal separator a pilot of it writes.
struct SummaryLanguage {
  const char* lang;
  const char* decimal;
};

// The summary of `log` written into `folder`, in `lang` with `decimal` numbers.
std::string summaryOf(const LogBuilder& log, const TempFolder& folder,
                      const SummaryLanguage& language) {
  log.writeFiles(folder / "flight");
  const CliRun result = run({"--no-csv", "--summary", "--lang", language.lang, "--decimal",
                             language.decimal, (folder / "flight.KLD").string()});
  EXPECT_EQ(result.status, 0) << result.err;
  return result.out;
}

// The receiver battery dips to 4.6 V at once, then after nearly an hour without a record to 4.2 V.
LogBuilder dipsBeforeAndAfterAnHour() {
  LogBuilder log;
  const struct {
    std::uint32_t time;
    int tenths;
  } records[] = {{0, 50}, {100, 46}, {200, 50}, {3'700'000, 42}, {3'700'100, 50}};
  for (const auto& r : records) log.record().time(r.time).word(0, 0x4000 | r.tenths);
  return log;
}

TEST(HealthBlock, SaysTheVerdictAndEveryEventInTheReadersLanguage) {
  const struct {
    SummaryLanguage language;
    const char* block;
  } cases[] = {
      {{"en", "."},
       "Health\n"
       "  Verdict: red, needs attention before the next flight\n"
       "  Events: 3\n"
       "  Limits file: none (built-in limit only)\n"
       "  Not checked: GPS fix lost, log ends in the air\n"
       "  0:00.1  amber  RECEIVER BATTERY below 4.8 V (red 4.4 V): lowest 4.6 V\n"
       "  0:00.2–1:01:40.0  red  gap in the records: 3699800 ms\n"
       "  1:01:40.0  red  RECEIVER BATTERY below 4.4 V (amber 4.8 V): lowest 4.2 V\n"},
      {{"de", ","},
       "Flugzustand\n"
       "  Bewertung: rot, vor dem nächsten Flug prüfen\n"
       "  Ereignisse: 3\n"
       "  Grenzwertdatei: keine (nur der eingebaute Grenzwert)\n"
       "  Nicht geprüft: GPS-Fix verloren, Log endet in der Luft\n"
       "  0:00,1  gelb  RECEIVER BATTERY unter 4,8 V (rot 4,4 V): niedrigster Wert 4,6 V\n"
       "  0:00,2–1:01:40,0  rot  Lücke in den Datensätzen: 3699800 ms\n"
       "  1:01:40,0  rot  RECEIVER BATTERY unter 4,4 V (gelb 4,8 V): niedrigster Wert 4,2 V\n"},
      {{"ja", "."},
       "フライトの状態\n"
       "  判定: 赤、次のフライトの前に点検が必要です\n"
       "  イベント数: 3\n"
       "  制限値ファイル: なし(組み込みの制限値のみ)\n"
       "  確認できなかった項目: GPS測位の喪失、空中でログが終了\n"
       "  0:00.1  黄  RECEIVER BATTERY 4.8 V 未満(赤 4.4 V)：最低値 4.6 V\n"
       "  0:00.2–1:01:40.0  赤  記録の途切れ：3699800 ms\n"
       "  1:01:40.0  赤  RECEIVER BATTERY 4.4 V 未満(黄 4.8 V)：最低値 4.2 V\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language.lang);
    TempFolder folder;
    EXPECT_THAT(summaryOf(dipsBeforeAndAfterAnHour(), folder, c.language), EndsWith(c.block));
  }
}

// A three-cell pack below its per-cell amber value: the red value and the cells aside, in the
// language's order and punctuation.
TEST(HealthBlock, ALimitPerCellInEachLanguage) {
  constexpr int kSlot = 3;
  LogBuilder log;
  log.sensor(kSlot, typeIdOf<VoltageSensorDecoder>());
  log.record().time(0).word(kSlot, 0x8000 | 120);
  log.record().time(500).word(kSlot, 0x8000 | 100);
  log.record().time(1000).word(kSlot, 0x8000 | 120);
  const struct {
    SummaryLanguage language;
    const char* line;
  } cases[] = {
      {{"en", "."},
       "  0:00.5  amber  VOLTAGE SENSOR BATTERY below 3.5 V (red 3.25 V, 3 cells): lowest 10.0 "
       "V\n"},
      {{"de", ","},
       "  0:00,5  gelb  VOLTAGE SENSOR BATTERY unter 3,5 V (rot 3,25 V, 3 Zellen): niedrigster "
       "Wert 10,0 V\n"},
      {{"ja", "."},
       "  0:00.5  黄  VOLTAGE SENSOR BATTERY 3.5 V 未満(赤 3.25 V、3 セル)：最低値 10.0 V\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language.lang);
    TempFolder folder;
    std::ofstream(folder / "trelvox.toml")
        << "[[limit]]\nslot = 3\nitem = \"BATTERY\"\ncells = 3\nbelow = [3.5, 3.25]\n";
    EXPECT_THAT(summaryOf(log, folder, c.language), EndsWith(c.line));
  }
}

TEST(HealthBlock, AGreenVerdictSaysNothingWasFound) {
  LogBuilder log;
  for (const std::uint32_t time : {0u, 100u, 200u}) log.record().time(time).word(0, 0x4000 | 50);
  const struct {
    SummaryLanguage language;
    const char* line;
  } cases[] = {
      {{"en", "."}, "  Verdict: green, nothing found\n  Events: 0\n"},
      {{"de", ","}, "  Bewertung: grün, nichts gefunden\n  Ereignisse: 0\n"},
      {{"ja", "."}, "  判定: 緑、異常なし\n  イベント数: 0\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language.lang);
    TempFolder folder;
    EXPECT_THAT(summaryOf(log, folder, c.language), HasSubstr(c.line));
  }
}

}  // namespace
}  // namespace trelvox
