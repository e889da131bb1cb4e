#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "bench/full_group_log.h"
#include "conversion/byte_source.h"
#include "conversion/output_set.h"
#include "conversion/record_loop.h"
#include "outputs/health/health_check.h"
#include "outputs/report/html_report_output.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/track/gpx_output.h"
#include "outputs/track/track_source.h"
#include "support/log_builder.h"
#include "support/stream_bytes.h"
#include "tests/string_sink.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The page shows no times of day along the track, so its track source may take any day.
constexpr std::chrono::year_month_day kAnyDay{std::chrono::sys_days{}};

// The record loop with the report and the sources it reads before it, as a conversion hands them,
// the health check with its built-in limits.
LogTotals writeHtmlReport(const SlotMap& map, ByteSource& dataFile, ByteSink& sink,
                          ReportOptions options) {
  FlightSummaryOutput summary;
  TrackSource track(kAnyDay);
  HealthCheck health({}, std::nullopt, track);
  HtmlReportOutput report(sink, std::move(options), summary, track, health);
  LogOutput* const outputs[] = {&summary, &track, &health, &report};
  return runRecordLoop(map, dataFile, outputs);
}

SlotMap slotMapOf(const LogBuilder& log) {
  const auto info = log.infoBytes();
  MemorySource source(info);
  return readSlotMap(source);
}

std::string reportOf(const LogBuilder& log, ReportOptions options = {}) {
  const auto data = log.dataBytes();
  MemorySource source(data);
  StringSink page;
  writeHtmlReport(slotMapOf(log), source, page, std::move(options));
  return page.text;
}

// The JSON the page's script reads.
std::string dataOf(const std::string& page) {
  const std::string start = "<script type=\"application/json\" id=\"report-data\">";
  const auto from = page.find(start) + start.size();
  return page.substr(from, page.find("</script>", from) - from);
}

// A log's records over and over, `copies` times, each copy's times going on from the last: a long
// log without holding it in memory.
class RepeatedLog final : public ByteSource {
 public:
  RepeatedLog(const LogBuilder& log, int copies)
      : data_(log.dataBytes()), total_(data_.size() * static_cast<std::size_t>(copies)) {}

  std::size_t read(std::span<std::uint8_t> into) override {
    const std::size_t count = std::min(into.size(), total_ - position_);
    for (std::size_t i = 0; i < count; ++i, ++position_) {
      into[i] = data_[position_ % data_.size()];
      const std::size_t inRecord = position_ % kRecordSize;
      if (inRecord < kTimeSize) into[i] = timeByte(inRecord);
    }
    return count;
  }

 private:
  std::uint8_t timeByte(std::size_t index) const {
    const std::size_t record = position_ / kRecordSize;
    const auto time = static_cast<std::uint32_t>(record * 100);
    return static_cast<std::uint8_t>(time >> (8 * (3 - index)));
  }

  std::vector<std::uint8_t> data_;
  std::size_t total_;
  std::size_t position_ = 0;
};

TEST(HtmlReport, NamesFromTheFileSystemCannotBecomeMarkup) {
  LogBuilder log;
  log.record();
  const std::string name = "<img src=x onerror=alert(1)></script><script>alert(2)</script>.KLD";
  ReportOptions options;
  options.logName = name;
  options.logDate = "\"><b>today";
  options.links.push_back({"GPX", "</script>.gpx"});
  const std::string page = reportOf(log, options);
  EXPECT_THAT(page, Not(HasSubstr("<img")));
  EXPECT_THAT(page, Not(HasSubstr("<script>alert")));
  EXPECT_THAT(page, Not(HasSubstr("<b>")));
  EXPECT_THAT(page, HasSubstr("<title>&lt;img src=x onerror=alert(1)&gt;&lt;/script&gt;"));
  EXPECT_THAT(dataOf(page), HasSubstr("\"name\":\"\\u003cimg src=x onerror=alert(1)>"));
}

// The page is UTF-8, a name from a Linux file system may be any bytes: those that are no
// character show as U+FFFD, as in the track files, and the browser reads no broken text.
TEST(HtmlReport, BytesOfANameThatAreNotUtf8ShowAsReplacementCharacters) {
  LogBuilder log;
  log.record();
  ReportOptions options;
  // Latin-1 (\344 is a-umlaut), then a Japanese character and one cut short.
  options.logName = "Fl\344che \343\203\225\343\203.KLD";
  options.links.push_back({"GPX", "Fl\344che.gpx"});
  const std::string page = reportOf(log, options);
  const std::string shown = "Fl\uFFFDche \u30D5\uFFFD.KLD";
  EXPECT_THAT(page, HasSubstr("<title>" + shown + "</title>"));
  EXPECT_THAT(dataOf(page), HasSubstr("\"name\":\"" + shown + "\""));
  EXPECT_THAT(dataOf(page), HasSubstr("\"file\":\"Fl\uFFFDche.gpx\""));
  EXPECT_THAT(page, Not(HasSubstr("Fl\344")));
}

// Bytes that look like UTF-8 but stand for no character (a UTF-16 surrogate, an overlong form, a
// code point past U+10FFFF, U+FFFE) show as U+FFFD, one for each byte that starts no character.
TEST(HtmlReport, NamesWithMalformedUtf8ShowReplacementCharacters) {
  const std::string r = "\uFFFD";
  const struct {
    const char* bytes;
    std::string shown;
  } cases[] = {{"\xED\xA0\x80", r + r + r},
               {"\xE0\x80\xAF", r + r + r},
               {"\xF4\x90\x80\x80", r + r + r + r},
               {"\xF0\x80\x80\xAF", r + r + r + r},
               {"\xC0\xAF", r + r},
               {"\xEF\xBF\xBE", r},
               {"\xF4\x8F\xBF\xBD", "\U0010FFFD"}};
  LogBuilder log;
  log.record();
  for (const auto& [bytes, shown] : cases) {
    ReportOptions options;
    options.logName = std::string("a") + bytes + ".KLD";
    const std::string page = reportOf(log, options);
    EXPECT_THAT(page, HasSubstr("<title>a" + shown + ".KLD</title>")) << bytes;
    EXPECT_THAT(dataOf(page), HasSubstr("\"name\":\"a" + shown + ".KLD\"")) << bytes;
  }
}

// The title is HTML text: a name that holds characters of markup shows them as they are.
TEST(HtmlReport, TheTitleShowsCharactersOfMarkupAsTheyAre) {
  const struct {
    const char* name;
    const char* title;
  } cases[] = {{"R&D.KLD", "R&amp;D.KLD"},
               {"&lt;b&gt;.KLD", "&amp;lt;b&amp;gt;.KLD"},
               {"it's \"x\".KLD", "it&#39;s &quot;x&quot;.KLD"}};
  LogBuilder log;
  log.record();
  for (const auto& [name, title] : cases) {
    ReportOptions options;
    options.logName = name;
    EXPECT_THAT(reportOf(log, options), HasSubstr("<title>" + std::string(title) + "</title>"));
  }
}

TEST(HtmlReport, ThePageCarriesTheChartLibraryAsInstalled) {
  LogBuilder log;
  log.record();
  const std::string library = readFile(std::filesystem::path(TRELVOX_SOURCE_DIR) /
                                       "node_modules/uplot/dist/uPlot.iife.min.js");
  ASSERT_GT(library.size(), 10000u);
  EXPECT_THAT(reportOf(log), HasSubstr("<script>" + library + "</script>"));
}

TEST(HtmlReport, TheSummaryListsEveryItemWithItsReadings) {
  LogBuilder log;
  log.sensor(1, typeIdOf<VoltageSensorDecoder>());
  log.record().word(1, 0x8000 | 126).word(2, 50);
  log.record().word(1, 0x8000 | 119).word(2, 51);
  log.record().word(1, 0x8000 | 121).word(2, 51);
  const std::string data = dataOf(reportOf(log));
  EXPECT_THAT(data, HasSubstr("{\"sensor\":1,\"name\":\"BATTERY\",\"unit\":\"V\","
                              "\"min\":\"11.9\",\"max\":\"12.6\",\"last\":\"12.1\"}"));
  EXPECT_THAT(data, HasSubstr("{\"sensor\":1,\"name\":\"EXT. BATT.\",\"unit\":\"V\","
                              "\"min\":\"5.0\",\"max\":\"5.1\",\"last\":\"5.1\"}"));
  // The receiver sent nothing.
  EXPECT_THAT(data, HasSubstr("{\"sensor\":0,\"name\":\"BATTERY\",\"unit\":\"V\","
                              "\"min\":null,\"max\":null,\"last\":null}"));
}

// Up to the point limit every record is a point of every series, in order: a reading and a channel
// that change with every one of 1,300 records.
TEST(HtmlReport, EveryRecordIsAPointInOrder) {
  LogBuilder log;
  log.sensor(1, typeIdOf<VoltageSensorDecoder>());
  std::string battery;
  std::string channel;
  // Channel words of the centre and both ends, in hundredths of a percent.
  const struct {
    std::int16_t word;
    const char* hundredths;
  } sticks[] = {{1024, "0"}, {2048, "15238"}, {0, "-15238"}};
  for (int i = 0; i < 1300; ++i) {
    const int volts = 100 + i % 50;
    const auto& stick = sticks[i % 3];
    log.record().word(1, static_cast<std::uint16_t>(0x8000 | volts)).channel(1, stick.word);
    if (i > 0) {
      battery += ',';
      channel += ',';
    }
    battery += std::to_string(volts);
    channel += stick.hundredths;
  }
  const std::string data = dataOf(reportOf(log));
  EXPECT_THAT(data, HasSubstr("\"name\":\"BATTERY\",\"unit\":\"V\",\"quantity\":\"voltage\","
                              "\"scale\":1,\"decimals\":1,\"values\":\"" +
                              battery + "\"}"));
  EXPECT_THAT(data, HasSubstr("\"name\":\"CH1\",\"unit\":\"%\",\"quantity\":\"channel\","
                              "\"scale\":2,\"decimals\":1,\"values\":\"" +
                              channel + "\"}"));
}

// The values of series `name` in the page's data, as the page's script gets them.
std::string seriesValues(const std::string& data, const std::string& name) {
  const std::string values = "\"values\":\"";
  const auto from = data.find(values, data.find("\"name\":\"" + name + "\"")) + values.size();
  return data.substr(from, data.find('"', from) - from);
}

// Values as the page writes them: a value equal to the one before is left out between its commas.
std::string pageValues(const std::vector<int>& values) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += ',';
    if (i == 0 || values[i] != values[i - 1]) text += std::to_string(values[i]);
  }
  return text;
}

// Past the point limit a bucket keeps each channel's smallest and largest word in the order they
// came, also where only some of the sixteen channels move. 60,000 records make buckets of eight.
TEST(HtmlReport, ChannelSpikesSurviveInBucketsWhateverTheOtherChannelsDo) {
  constexpr int kRecords = 60'000;
  constexpr int kBucket = 8;
  constexpr int kSpikeInBucket = 100 * kBucket + 3;   // CH5 alone moves, for one record
  constexpr int kSpikeOpeningBucket = 200 * kBucket;  // and where a bucket begins
  LogBuilder log;
  for (int r = 0; r < kRecords; ++r) {
    const bool spike = r == kSpikeInBucket || r == kSpikeOpeningBucket;
    log.record().channel(5, spike ? 2048 : 1024).channel(9, r % 2 == 0 ? 1024 : 0);
  }
  std::vector<int> channel5;
  std::vector<int> channel9;
  for (int bucket = 0; bucket < kRecords / kBucket; ++bucket) {
    const bool spikeFirst = bucket == 200;
    const bool spikeLater = bucket == 100;
    channel5.insert(channel5.end(), {spikeFirst ? 15238 : 0, spikeLater ? 15238 : 0});
    channel9.insert(channel9.end(), {0, -15238});
  }
  for (const std::size_t expected : {std::size_t{0}, std::size_t{kRecords}}) {
    ReportOptions options;
    options.expectedRecords = expected;
    const std::string data = dataOf(reportOf(log, options));
    EXPECT_EQ(seriesValues(data, "CH5"), pageValues(channel5)) << expected << " expected";
    EXPECT_EQ(seriesValues(data, "CH9"), pageValues(channel9)) << expected << " expected";
  }
}

TEST(HtmlReport, ItemsTrackedButNotInTheCsvAreInTheSummary) {
  LogBuilder log;
  log.sensor(1, typeIdOf<ServoAdapterDecoder>());
  log.record();
  EXPECT_THAT(dataOf(reportOf(log)),
              HasSubstr("\"name\":\"ACCUMULATED TIME 1\",\"unit\":\"min.\""));
}

// A record of the GPS at slot 1 with a fix at `latitude`, `longitude` (1/10000 minute).
void addGpsRecord(LogBuilder& log, std::int32_t latitude, std::int32_t longitude,
                  std::uint32_t secondsOfDay) {
  addStreamGpsRecord(log, 1, latitude, longitude, secondsOfDay);
}

// The track starts at the first fix; a receiver without one may still call its position valid,
// at latitude 0, which is no point of the track.
TEST(HtmlReport, TheTrackIsInTenthsOfMetresEastAndNorthOfTheStart) {
  constexpr std::int32_t kDegree = 600000;
  constexpr std::int32_t kMinute = 10000;
  const struct {
    int withoutFix;
    const char* utcStart;
  } cases[] = {{0, "49998"}, {3, "49997"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.withoutFix);
    LogBuilder log;
    log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
    for (int i = 0; i < 26; ++i) log.record();  // 2.6 s before the GPS says anything
    for (int i = 0; i < c.withoutFix; ++i) addGpsRecord(log, 0, 8 * kDegree, 49999);
    addGpsRecord(log, 48 * kDegree, 8 * kDegree, 50000);
    addGpsRecord(log, 48 * kDegree + kMinute, 8 * kDegree, 50000);
    addGpsRecord(log, 48 * kDegree + kMinute, 8 * kDegree + kMinute, 50001);
    const std::string data = dataOf(reportOf(log));
    // One minute of arc is 1853.2 m north; east, shrunk by the cosine of 48 degrees. The records
    // before the first fix, then three positions; repeats are left out.
    const std::string before = "n" + std::string(25 + c.withoutFix, ',');
    EXPECT_THAT(data, HasSubstr("\"track\":{\"sensor\":1,\"east\":\"" + before +
                                ",0,,12401\",\"north\":\"" + before + ",0,18532,\"}"));
    // The log began 2.6 s before the GPS first said a time, in whole seconds.
    EXPECT_THAT(data, HasSubstr("\"utcStart\":" + std::string(c.utcStart)));
  }
}

// A track south-west of its start rounds to the nearest tenth of a metre as one north-east of it
// does, away from zero.
TEST(HtmlReport, TheTrackRoundsWestAndSouthAsEastAndNorth) {
  constexpr std::int32_t kDegree = 600000;
  constexpr std::int32_t kMinute = 10000;
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
  addGpsRecord(log, 48 * kDegree, 8 * kDegree, 50000);
  addGpsRecord(log, 48 * kDegree - kMinute, 8 * kDegree, 50000);
  addGpsRecord(log, 48 * kDegree - kMinute, 8 * kDegree - kMinute, 50001);
  EXPECT_THAT(dataOf(reportOf(log)),
              HasSubstr("\"track\":{\"sensor\":1,\"east\":\"0,,-12401\",\"north\":\"0,-18532,\"}"));
}

// A log begun shortly before midnight, whose GPS first tells a time just after it, began the
// evening before: the start time is a time of that day.
TEST(HtmlReport, ALogBegunBeforeMidnightStartsTheEveningBefore) {
  const struct {
    std::uint32_t gpsSeconds;
    const char* utcStart;
  } cases[] = {{1, "86399"}, {2, "0"}, {0, "86398"}};
  for (const auto& [gpsSeconds, utcStart] : cases) {
    LogBuilder log;
    log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
    for (int i = 0; i < 26; ++i) log.record();  // 2.6 s before the GPS says anything
    addGpsRecord(log, 48 * 600000, 8 * 600000, gpsSeconds);
    EXPECT_THAT(dataOf(reportOf(log)), HasSubstr("\"utcStart\":" + std::string(utcStart) + "}"))
        << gpsSeconds;
  }
}

// A flight over the date line goes on east of the start, not round the world: 0.05 minutes of arc
// each way of it at 16 degrees south.
TEST(HtmlReport, AFlightOverTheDateLineStaysWhereItIs) {
  constexpr std::int32_t kDateLine = 180 * 600000;
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
  for (const std::int32_t longitude : {kDateLine - 500, kDateLine, -(kDateLine - 500)}) {
    addStreamGpsRecord(log, 1, -16 * 600000, longitude, 36000);
  }
  // 0.05 minutes of arc east is 89.1 m at the cosine of 16 degrees.
  EXPECT_THAT(dataOf(reportOf(log)),
              HasSubstr("\"track\":{\"sensor\":1,\"east\":\"0,891,1781\",\"north\":\"0,,\"}"));
}

// The GPS's time field has room for more than a day: such a number tells no start time, as for the
// logbook and the track files.
TEST(HtmlReport, ATimeFieldPastTheDayTellsNoStartTime) {
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
  for (int i = 0; i < 26; ++i) log.record();
  addGpsRecord(log, 48 * 600000, 8 * 600000, 100000);
  addGpsRecord(log, 48 * 600000, 8 * 600000, 50000);
  EXPECT_THAT(dataOf(reportOf(log)), HasSubstr("\"utcStart\":49998}"));
}

// A GPS that loses its fix and finds it again where it was: the records without one are no point
// of the track, the one after them is, although the track files get no new point there.
TEST(HtmlReport, TheTrackGoesOnAtTheSamePlaceAfterTheFixWasLost) {
  constexpr std::int32_t kDegree = 600000;
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
  addGpsRecord(log, 48 * kDegree, 8 * kDegree, 50000);
  addGpsRecord(log, 48 * kDegree, 8 * kDegree, 50000);
  addGpsRecord(log, 0, 8 * kDegree, 50001);  // no fix
  addGpsRecord(log, 0, 8 * kDegree, 50001);
  addGpsRecord(log, 48 * kDegree, 8 * kDegree, 50002);
  EXPECT_THAT(dataOf(reportOf(log)),
              HasSubstr("\"track\":{\"sensor\":1,\"east\":\"0,,n,,0\",\"north\":\"0,,n,,0\"}"));
}

// With a spare GPS that never has a fix before the one that has, the page draws the track of the
// sensor the track files name.
TEST(HtmlReport, ThePageAndTheTrackFilesFollowTheSameSensor) {
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>()).sensor(10, typeIdOf<OrvaneGpsDecoder>());
  for (int i = 0; i < 5; ++i) {
    LogBuilder::Record& record = log.record();
    StreamBytes<8>().field(17, 26, 0).flag(81, true).into(record, 1);  // latitude 0: no fix
    if (i >= 2) {
      StreamBytes<8>()
          .field(0, 17, 50000)
          .field(17, 26, 48 * 600000 + i)
          .field(44, 27, 8 * 600000)
          .flag(81, true)
          .into(record, 10);
    }
  }
  const auto data = log.dataBytes();
  MemorySource source(data);
  ConversionRequest request;
  request.path(OutputFormat::kGpx) = "two.gpx";
  request.path(OutputFormat::kHtml) = "two.html";
  OutputSet outputs(request, {.logName = "two.KLD", .date = kAnyDay});
  StringSink page;
  StringSink gpxFile;
  outputs.add(OutputFormat::kGpx, gpxFile);
  outputs.add(OutputFormat::kHtml, page);
  runRecordLoop(slotMapOf(log), source, outputs.loopOrder());
  EXPECT_THAT(gpxFile.text, HasSubstr("GPS (slot 10)"));
  EXPECT_THAT(dataOf(page.text), HasSubstr("\"track\":{\"sensor\":2,\"east\":\"n,,0,,\""));
}

// A conversion hands the report the flight summary, track and health check that --summary and
// --json use, made before any output asked for them; the page is the one made for it alone, facts
// included.
TEST(HtmlReport, APageOfSharedSourcesIsThePageTheReportMakesAlone) {
  LogBuilder gpsLog;
  gpsLog.sensor(1, typeIdOf<OrvaneGpsDecoder>()).sensor(12, typeIdOf<VoltageSensorDecoder>());
  for (int i = 0; i < 3000; ++i) {
    addGpsRecord(gpsLog, 48 * 600000 + i / 3 * 7, 8 * 600000 - i / 5 * 11, 50000 + i / 10);
  }
  const LogBuilder logs[] = {fullGroupLog(2500), gpsLog};
  for (const LogBuilder& log : logs) {
    const auto pageOf = [&](bool shared) {
      const auto data = log.dataBytes();
      MemorySource source(data);
      ConversionRequest request;
      request.summary = shared;
      OutputSet outputs(request, {.date = kAnyDay});
      StringSink json;
      StringSink page;
      if (shared) outputs.add(OutputFormat::kJson, json);
      outputs.add(OutputFormat::kHtml, page);
      runRecordLoop(slotMapOf(log), source, outputs.loopOrder());
      return page.text;
    };
    const std::string alone = pageOf(false);
    EXPECT_EQ(pageOf(true), alone);
    EXPECT_THAT(dataOf(alone), HasSubstr("\"flightFacts\":[{\"key\":"));
    EXPECT_THAT(dataOf(alone), Not(HasSubstr("\"track\":null")));
  }
}

TEST(HtmlReport, ALogWithoutPositionsHasNoTrack) {
  LogBuilder log;
  log.sensor(1, typeIdOf<VoltageSensorDecoder>());
  log.record();
  EXPECT_THAT(dataOf(reportOf(log)), HasSubstr("\"track\":null"));
}

// The page's duration is the one --json and --summary give: the sum of the clock's steps forward.
// A garbled time far ahead counts there; the clock's going back after it adds nothing, although
// the difference wraps round to a step forward in 32 bits.
TEST(HtmlReport, TheDurationIsTheFlightSummarys) {
  LogBuilder log;
  for (const std::uint32_t time : {0u, 100u, 0xF0000000u, 200u, 300u}) log.record().time(time);
  const auto data = log.dataBytes();
  MemorySource source(data);
  StringSink page;
  ConversionRequest request;
  request.summary = true;
  OutputSet outputs(request, {});
  outputs.add(OutputFormat::kHtml, page);
  runRecordLoop(slotMapOf(log), source, outputs.loopOrder());
  const FlightSummary& summary = outputs.summary().summary();
  EXPECT_EQ(summary.clock.duration, 0xF0000000u + 100u);
  EXPECT_THAT(dataOf(page.text),
              HasSubstr("\"duration\":" + std::to_string(summary.clock.duration) + ","));
}

// The charts place records on the time the clock ran forward; an event's shading must land on the
// records it was found at after the clock went back, while the summary and JSON keep the TIME
// column's times.
TEST(HtmlReport, EventsAreShadedOnTheirRecordsAfterTheClockWentBack) {
  LogBuilder log;
  const std::uint32_t times[] = {0, 100, 200, 300, 100, 200, 300};
  for (const std::uint32_t time : times) log.record().time(time).word(0, 0x4000 | 50);
  log.record().time(400).word(0, 0x4000 | 42);  // below the receiver battery's built-in limit
  const auto data = nlohmann::json::parse(dataOf(reportOf(log)));
  const auto& chartTimes = data["times"];
  ASSERT_EQ(chartTimes, nlohmann::json({0, 100, 200, 300, 300, 400, 500, 600}));
  struct Shading {
    std::string check;
    std::int64_t start;
    std::int64_t end;
    bool operator==(const Shading&) const = default;
  };
  std::vector<Shading> shadings;
  for (const auto& event : data["health"]["events"]) {
    shadings.push_back({event["check"], event["start"], event["end"]});
  }
  EXPECT_THAT(shadings, ::testing::ElementsAre(Shading{"clock_back", chartTimes[3], chartTimes[4]},
                                               Shading{"limit", chartTimes[7], chartTimes[7]}));
}

TEST(HtmlReport, TenHoursWithEveryDecoderStayUnderTenMegabytes) {
  constexpr int kRecordsPerCopy = 3600;  // six minutes at ten records a second
  const LogBuilder log = fullGroupLog(kRecordsPerCopy);
  RepeatedLog tenHours(log, 100);
  StringSink page;
  const LogTotals totals = writeHtmlReport(slotMapOf(log), tenHours, page, {});
  EXPECT_EQ(totals.records, 360'000u);
  EXPECT_LT(page.text.size(), 10'000'000u);  // as the README promises
  EXPECT_THAT(dataOf(page.text), HasSubstr("\"duration\":35999900"));
}

}  // namespace
}  // namespace trelvox
