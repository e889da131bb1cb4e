// The GPX and KML tracks, read back by gpsbabel and checked by xmllint as a map program would.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "conversion/log_converter.h"
#include "conversion/telemetry_log_exception.h"
#include "support/stream_bytes.h"
#include "tests/csv_table.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::UnorderedElementsAre;

bool hasTool(const std::string& tool) {
  return std::system(("command -v " + tool + " > /dev/null 2>&1").c_str()) == 0;
}

struct Point {
  double latitude;
  double longitude;
  std::string time;  // "2024/05/01 14:05:05" as gpsbabel writes it; empty for none
};

// "N 48:12.3456" as signed decimal degrees.
double degreesOf(const std::string& text) {
  const double degrees = std::stod(text.substr(1, 3));
  const double minutes = std::stod(text.substr(5));
  const double value = degrees + minutes / 60;
  return text[0] == 'S' || text[0] == 'W' ? -value : value;
}

// The positions of the CSV's LATITUDE/LONGITUDE columns, each run of equal ones once.
std::vector<Point> csvPositions(const CsvTable& csv) {
  const auto latitudes = csv.column("LATITUDE");
  const auto longitudes = csv.column("LONGITUDE");
  std::vector<Point> points;
  for (std::size_t r = 0; r < latitudes.size(); ++r) {
    if (latitudes[r] == "---" || longitudes[r] == "---") continue;
    if (r > 0 && latitudes[r] == latitudes[r - 1] && longitudes[r] == longitudes[r - 1]) continue;
    points.push_back({degreesOf(latitudes[r]), degreesOf(longitudes[r]), ""});
  }
  return points;
}

// The fields of a line of gpsbabel's unicsv output, which ends in CR LF.
std::vector<std::string> fieldsOf(std::string line) {
  if (line.ends_with('\r')) line.pop_back();
  std::istringstream stream(line);
  std::vector<std::string> fields;
  for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
  return fields;
}

// The track points gpsbabel reads from `file` in `format`, through its unicsv output (whose
// columns depend on what the points carry).
std::vector<Point> gpsbabelTrack(const std::string& format, const fs::path& file,
                                 const fs::path& scratch) {
  const std::string command = "gpsbabel -t -i " + format + " -f '" + file.string() +
                              "' -o unicsv -F '" + scratch.string() + "'";
  if (std::system(command.c_str()) != 0) return {};
  std::istringstream lines(readFile(scratch));
  std::string line;
  std::getline(lines, line);
  const std::vector<std::string> header = fieldsOf(line);
  const auto columnOf = [&header](const std::string& name) {
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
  };
  const std::size_t latitude = columnOf("Latitude");
  const std::size_t longitude = columnOf("Longitude");
  const std::size_t date = columnOf("Date");
  const std::size_t time = columnOf("Time");
  std::vector<Point> points;
  while (std::getline(lines, line)) {
    const std::vector<std::string> fields = fieldsOf(line);
    const bool timed = time < fields.size() && !fields[time].empty();
    points.push_back({std::stod(fields.at(latitude)), std::stod(fields.at(longitude)),
                      timed ? fields.at(date) + " " + fields[time] : ""});
  }
  return points;
}

class DemoTrack : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!hasTool("gpsbabel") || !hasTool("xmllint")) GTEST_SKIP() << "gpsbabel or xmllint missing";
    for (const char* extension : {".KLD", ".KLI"}) {
      fs::copy_file(fs::path(TRELVOX_SOURCE_DIR) / "examples" / (std::string("demo") + extension),
                    folder / (std::string("demo") + extension));
    }
    const std::string command = std::string(TRELVOX_BINARY) + " --gpx --kml --date 2024-05-01 " +
                                (folder / "demo.KLD").string() + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }

  TempFolder folder;
};

TEST_F(DemoTrack, GpsbabelReadsThePositionsOfTheCsv) {
  const std::vector<Point> expected = csvPositions(CsvTable(readFile(folder / "demo.csv"), ','));
  ASSERT_GT(expected.size(), 1000u);
  for (const auto& [format, extension] : {std::pair{"gpx", ".gpx"}, std::pair{"kml", ".kml"}}) {
    const std::vector<Point> read =
        gpsbabelTrack(format, folder / (std::string("demo") + extension), folder / "read.csv");
    ASSERT_EQ(read.size(), expected.size()) << format;
    for (std::size_t i = 0; i < read.size(); ++i) {
      EXPECT_NEAR(read[i].latitude, expected[i].latitude, 1e-6) << format << " point " << i;
      EXPECT_NEAR(read[i].longitude, expected[i].longitude, 1e-6) << format << " point " << i;
    }
  }
}

TEST_F(DemoTrack, XmllintAcceptsBothFiles) {
  for (const char* name : {"demo.gpx", "demo.kml"}) {
    EXPECT_EQ(std::system(("xmllint --noout " + (folder / name).string()).c_str()), 0) << name;
  }
}

TEST_F(DemoTrack, PointsCarryHeightTimeAndTheKmlMarksItsPoints) {
  const std::string gpx = readFile(folder / "demo.gpx");
  EXPECT_THAT(gpx, HasSubstr("<trkpt lat=\"48.2057600\" lon=\"8.5761300\"><ele>0.0</ele>"
                             "<time>2024-05-01T14:05:05Z</time></trkpt>"));
  const std::string kml = readFile(folder / "demo.kml");
  EXPECT_THAT(kml, HasSubstr("<altitudeMode>relativeToGround</altitudeMode>"));
  for (const char* mark :
       {"<name>Start</name>", "<name>Highest point</name>", "<name>Farthest point</name>"}) {
    EXPECT_THAT(kml, HasSubstr(mark));
  }
  EXPECT_THAT(kml, HasSubstr("<coordinates>8.5738867,48.2067600,105.0</coordinates>"));
}

// Google Earth plays a <gx:Track> on its time slider: a <when> per point, all before the
// coordinates in the same order.
TEST_F(DemoTrack, TheKmlTrackCarriesTheTimeOfEachPoint) {
  const std::string kml = readFile(folder / "demo.kml");
  EXPECT_THAT(kml, HasSubstr("<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
                             "xmlns:gx=\"http://www.google.com/kml/ext/2.2\">"));
  EXPECT_THAT(kml, HasSubstr("<gx:Track>\n      <altitudeMode>relativeToGround</altitudeMode>\n"
                             "      <when>2024-05-01T14:05:05Z</when>\n"));
  EXPECT_THAT(kml, HasSubstr("</when>\n      <gx:coord>8.5761300 48.2057600 0.0</gx:coord>\n"));
  EXPECT_LT(kml.rfind("\n      <when>"), kml.find("<gx:coord>"));
  EXPECT_EQ(kml.find("LineString"), std::string::npos);

  const std::vector<Point> gpx = gpsbabelTrack("gpx", folder / "demo.gpx", folder / "gpx.csv");
  const std::vector<Point> read = gpsbabelTrack("kml", folder / "demo.kml", folder / "kml.csv");
  ASSERT_GT(gpx.size(), 1000u);
  ASSERT_EQ(read.size(), gpx.size());
  EXPECT_EQ(read.front().time, "2024/05/01 14:05:05");
  for (std::size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].time, gpx[i].time) << "point " << i;
  }
}

// The KML's coordinates wait in a file beside it until the track ends.
TEST_F(DemoTrack, NoScratchFileStaysBehind) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(names,
              UnorderedElementsAre("demo.KLD", "demo.KLI", "demo.csv", "demo.gpx", "demo.kml"));
}

// A GPS record at `secondsOfDay`, at a position that moves with it.
void gpsRecord(LogBuilder& log, int slot, std::uint32_t secondsOfDay, std::uint32_t step) {
  StreamBytes<8>()
      .field(0, 17, secondsOfDay)
      .field(17, 26, 28800000 + step)
      .field(44, 27, 5100000)
      .flag(81, true)
      .field(82, 3, 3)
      .into(log.record(), slot);
}

// A GPS record that calls its position valid at latitude 0, as a receiver without a fix may.
void fixlessGpsRecord(LogBuilder& log, int slot) {
  StreamBytes<8>()
      .field(0, 17, 36000)
      .field(44, 27, 5100000)
      .flag(81, true)
      .into(log.record(), slot);
}

std::size_t occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// Converts `base` into the track files `base`.gpx and `base`.kml, on `date`.
ConversionResult writeTracks(const fs::path& base,
                             std::optional<std::chrono::year_month_day> date) {
  ConversionRequest request;
  request.path(OutputFormat::kGpx) = fs::path(base) += ".gpx";
  request.path(OutputFormat::kKml) = fs::path(base) += ".kml";
  request.date = date;
  LogConverter converter(Separators{});
  converter.open(base, request);
  return converter.convert();
}

// A track file that cannot be stored fails the conversion, whether it fails while the records are
// read (a long track) or at the end (a short one), and then no file is named, the CSV neither.
TEST(TrackFiles, ATrackThatCannotBeStoredFailsTheConversionAndNamesNoFile) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  for (const std::uint32_t points : {3u, 40000u}) {
    TempFolder folder;
    LogBuilder log;
    log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
    for (std::uint32_t i = 0; i < points; ++i) gpsRecord(log, 2, 36000 + i / 10, i);
    log.writeFiles(folder / "full");

    ConversionRequest request;
    request.path(OutputFormat::kCsv) = folder / "full.csv";
    request.path(OutputFormat::kGpx) = "/dev/full";
    try {
      LogConverter converter(Separators{});
      converter.open(folder / "full", request);
      converter.convert();
      ADD_FAILURE() << points << " points: the conversion succeeded";
    } catch (const TelemetryLogException& e) {
      EXPECT_EQ(e.messageId(), MessageId::kCannotCreateOutput) << points;
    }
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      names.push_back(entry.path().filename().string());
    }
    EXPECT_THAT(names, UnorderedElementsAre("full.KLD", "full.KLI")) << points;
  }
}

// Positions at latitude 0 are left out of the track; a GPS that never had a fix gives none.
TEST(TrackFiles, PositionsWithoutAFixAreLeftOut) {
  for (const int fixes : {2, 0}) {
    TempFolder folder;
    LogBuilder log;
    log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
    for (int i = 0; i < 3; ++i) fixlessGpsRecord(log, 2);
    for (int i = 0; i < fixes; ++i) gpsRecord(log, 2, 36000, static_cast<std::uint32_t>(10 * i));
    fixlessGpsRecord(log, 2);
    log.writeFiles(folder / "fix");

    ConversionRequest request;
    request.path(OutputFormat::kGpx) = folder / "fix.gpx";
    request.path(OutputFormat::kKml) = folder / "fix.kml";
    LogConverter converter(Separators{});
    converter.open(folder / "fix", request);
    const ConversionResult result = converter.convert();
    EXPECT_EQ(!result.dropped.empty(), fixes == 0);
    if (fixes == 0) {
      EXPECT_THAT(result.dropped, UnorderedElementsAre(folder / "fix.gpx", folder / "fix.kml"));
      EXPECT_FALSE(fs::exists(folder / "fix.gpx"));
      EXPECT_FALSE(fs::exists(folder / "fix.kml"));
      continue;
    }
    const std::string gpx = readFile(folder / "fix.gpx");
    EXPECT_EQ(occurrences(gpx, "<trkpt "), static_cast<std::size_t>(fixes)) << gpx;
    EXPECT_THAT(gpx, HasSubstr("<trkpt lat=\"48.0000000\" lon=\"8.5000000\">"));
    EXPECT_THAT(gpx, Not(HasSubstr("lat=\"0.0000000\"")));
    EXPECT_THAT(readFile(folder / "fix.kml"), Not(HasSubstr(" 0.0000000 ")));
  }
}

// A position sent as degrees, minutes and hemisphere reaches both map files in signed decimal
// degrees, south and west negative; a record before the sensor's first position adds no point.
TEST(TrackFiles, APositionReachesTheMapsInSignedDecimalDegrees) {
  constexpr std::uint32_t kDegree = 600000;
  const struct {
    std::uint32_t latitude;
    bool south;
    std::uint32_t longitude;
    bool west;
    const char* trackPoint;
    const char* coordinates;
  } cases[] = {
      {35 * kDegree + 300000, false, 139 * kDegree + 450000, true,  // N 35:30.0, W 139:45.0
       "<trkpt lat=\"35.5000000\" lon=\"-139.7500000\">", "<gx:coord>-139.7500000 35.5000000 "},
      {33 * kDegree + 519000, true, 151 * kDegree + 126000, false,  // S 33:51.9, E 151:12.6
       "<trkpt lat=\"-33.8650000\" lon=\"151.2100000\">", "<gx:coord>151.2100000 -33.8650000 "},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    LogBuilder log;
    log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
    log.record();  // nothing from the GPS yet
    StreamBytes<8>()
        .field(0, 17, 12 * 3600 + 34 * 60 + 56)
        .field(17, 26, c.latitude)
        .flag(43, c.south)
        .field(44, 27, c.longitude)
        .flag(71, c.west)
        .flag(81, true)
        .into(log.record(), 1);
    log.writeFiles(folder / "fix");
    writeTracks(folder / "fix", std::nullopt);
    const std::string gpx = readFile(folder / "fix.gpx");
    EXPECT_EQ(occurrences(gpx, "<trkpt "), 1u) << gpx;
    EXPECT_THAT(gpx, HasSubstr(c.trackPoint));
    const std::string kml = readFile(folder / "fix.kml");
    EXPECT_EQ(occurrences(kml, "<gx:coord>"), 1u) << kml;
    EXPECT_THAT(kml, HasSubstr(c.coordinates));
  }
}

// A garbled record may hold a latitude past a pole or a longitude past the date line, which no
// track file may: such points are left out, the poles and the date line themselves kept.
TEST(TrackFiles, PositionsOffTheMapAreLeftOut) {
  const std::uint32_t degree = 600000;
  const struct {
    std::uint32_t latitude;
    std::uint32_t longitude;
    bool kept;
  } cases[] = {
      {48 * degree, 8 * degree, true},   {90 * degree, 180 * degree, true},
      {95 * degree, 8 * degree, false},  {48 * degree, 181 * degree, false},
      {111 * degree, 8 * degree, false},
  };
  for (const auto& [latitude, longitude, kept] : cases) {
    TempFolder folder;
    LogBuilder log;
    log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
    gpsRecord(log, 2, 36000, 0);
    StreamBytes<8>()
        .field(0, 17, 36001)
        .field(17, 26, latitude)
        .field(44, 27, longitude)
        .flag(81, true)
        .into(log.record(), 2);
    log.writeFiles(folder / "off");
    writeTracks(folder / "off", std::nullopt);
    const std::string gpx = readFile(folder / "off.gpx");
    const std::size_t points = kept ? 2 : 1;
    EXPECT_EQ(occurrences(gpx, "<trkpt "), points) << latitude << " " << longitude;
    EXPECT_EQ(occurrences(readFile(folder / "off.kml"), "<gx:coord>"), points);
  }
}

// A flight over the date line goes on east or west of the start, not round the world: the
// farthest point is the one 0.25 minutes of arc west of the start, not the one 0.1 minutes east of
// it across the line.
TEST(TrackFiles, TheFarthestPointOfAFlightOverTheDateLine) {
  constexpr std::int32_t kDateLine = 180 * 600000;
  TempFolder folder;
  LogBuilder log;
  log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
  for (const std::int32_t longitude : {kDateLine - 500, -(kDateLine - 500), kDateLine - 3000}) {
    addStreamGpsRecord(log, 2, -16 * 600000, longitude, 36000);
  }
  log.writeFiles(folder / "over");
  writeTracks(folder / "over", std::nullopt);
  const std::string kml = readFile(folder / "over.kml");
  const std::size_t farthest = kml.find("<name>Farthest point</name>");
  ASSERT_NE(farthest, std::string::npos);
  EXPECT_THAT(kml.substr(farthest), HasSubstr("<coordinates>179.9950000,-16.0000000,"));
}

// A GPS that never has a fix (a spare one without a view of the sky) leaves the track to one that
// has, as the report draws it, rather than the log being said to hold no position.
TEST(TrackFiles, AGpsWithoutAFixLeavesTheTrackToOneWithIt) {
  TempFolder folder;
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>()).sensor(9, typeIdOf<OrvaneGpsDecoder>());
  for (std::uint32_t i = 0; i < 3; ++i) {
    LogBuilder::Record& record = log.record();
    StreamBytes<8>().field(0, 17, 36000 + i).field(44, 27, 5100000).flag(81, true).into(record, 1);
    StreamBytes<8>()
        .field(0, 17, 36000 + i)
        .field(17, 26, 28800000 + 10 * i)
        .field(44, 27, 5100000)
        .flag(81, true)
        .into(record, 9);
  }
  log.writeFiles(folder / "two");

  const ConversionResult result = writeTracks(
      folder / "two",
      std::chrono::year_month_day{std::chrono::year(2024), std::chrono::May, std::chrono::day(1)});
  EXPECT_THAT(result.dropped, ::testing::IsEmpty());
  const std::string gpx = readFile(folder / "two.gpx");
  EXPECT_THAT(gpx, HasSubstr("<src>GPS (slot 9)</src>"));
  EXPECT_THAT(gpx, HasSubstr("<trkpt lat=\"48.0000333\" lon=\"8.5000000\">"
                             "<time>2024-05-01T10:00:02Z</time></trkpt>"));
  EXPECT_THAT(readFile(folder / "two.kml"),
              HasSubstr("<name>GPS (slot 9)</name>\n    <gx:Track>\n"));
}

// Writes the track files `base`.gpx and `base`.kml of a GPS giving these times of day, one point
// each, on the last day of 2023.
void writeNewYearsEveTrack(const fs::path& base, std::initializer_list<std::uint32_t> seconds) {
  LogBuilder log;
  log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
  std::uint32_t step = 0;
  for (const std::uint32_t secondsOfDay : seconds) {
    gpsRecord(log, 2, secondsOfDay, step);
    step += 10;
  }
  log.writeFiles(base);
  writeTracks(base, std::chrono::year_month_day{std::chrono::year(2023), std::chrono::December,
                                                std::chrono::day(31)});
}

TEST(TrackTimes, APassThroughMidnightMovesToTheNextDay) {
  TempFolder folder;
  writeNewYearsEveTrack(folder / "night", {86398, 86399, 0, 1});
  const std::string gpx = readFile(folder / "night.gpx");
  const std::string kml = readFile(folder / "night.kml");
  for (const char* time : {"2023-12-31T23:59:58Z", "2023-12-31T23:59:59Z", "2024-01-01T00:00:00Z",
                           "2024-01-01T00:00:01Z"}) {
    EXPECT_THAT(gpx, HasSubstr(std::string("<time>") + time + "</time>"));
    EXPECT_THAT(kml, HasSubstr(std::string("      <when>") + time + "</when>\n"));
  }
  EXPECT_THAT(gpx, HasSubstr("<trkpt lat=\"48.0000000\" lon=\"8.5000000\">"));
  EXPECT_THAT(kml, HasSubstr("<gx:coord>8.5000000 48.0000000 0</gx:coord>"));
}

// A time that steps back over midnight (23:59:59 after 00:00:00) is the day before, not the end of
// the next day, and the points after it stay on their own day.
TEST(TrackTimes, AStepBackOverMidnightStaysOnTheDayBefore) {
  TempFolder folder;
  writeNewYearsEveTrack(folder / "back", {86398, 0, 86399, 1});
  const std::string gpx = readFile(folder / "back.gpx");
  std::vector<std::string> times;
  for (auto at = gpx.find("<time>"); at != std::string::npos; at = gpx.find("<time>", at + 1)) {
    times.push_back(gpx.substr(at + 6, 20));
  }
  EXPECT_THAT(times, ::testing::ElementsAre("2023-12-31T23:59:58Z", "2024-01-01T00:00:00Z",
                                            "2023-12-31T23:59:59Z", "2024-01-01T00:00:01Z"));
}

// Garbled times that keep stepping up by over twelve hours (each a step back over midnight) take
// the track back a day each, past year 1 from the earliest date --date takes: the times stay whole
// dates, with the sign ISO 8601 gives years before year 0.
TEST(TrackTimes, StepsBackPastYearOneGiveSignedYears) {
  TempFolder folder;
  LogBuilder log;
  log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
  for (std::uint32_t k = 0; k < 367; ++k) {
    gpsRecord(log, 2, k, 2 * k);
    gpsRecord(log, 2, k + 43201, 2 * k + 1);
  }
  log.writeFiles(folder / "garbled");
  writeTracks(
      folder / "garbled",
      std::chrono::year_month_day{std::chrono::year(1), std::chrono::January, std::chrono::day(1)});
  const std::string gpx = readFile(folder / "garbled.gpx");
  EXPECT_THAT(gpx, HasSubstr("<time>0001-01-01T00:00:00Z</time>"));
  EXPECT_THAT(gpx, HasSubstr("<time>0000-12-31T12:00:01Z</time>"));
  EXPECT_THAT(gpx, HasSubstr("<time>-0001-12-31T12:06:07Z</time></trkpt>\n    </trkseg>"));
  EXPECT_THAT(readFile(folder / "garbled.kml"), HasSubstr("<when>-0001-12-31T12:06:07Z</when>"));
}

// The GPS's time field has room for more than a day: such a number is no time of day, neither
// for a point nor for the logbook's start time.
TEST(TrackTimes, ATimeFieldPastTheDayIsNoTime) {
  TempFolder folder;
  LogBuilder log;
  log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
  gpsRecord(log, 2, 100000, 0);
  gpsRecord(log, 2, 36000, 10);
  log.writeFiles(folder / "odd");

  ConversionRequest request;
  request.path(OutputFormat::kGpx) = folder / "odd.gpx";
  request.path(OutputFormat::kKml) = folder / "odd.kml";
  request.date =
      std::chrono::year_month_day{std::chrono::year(2024), std::chrono::May, std::chrono::day(1)};
  request.summary = true;
  LogConverter converter(Separators{});
  converter.open(folder / "odd", request);
  const ConversionResult result = converter.convert();
  EXPECT_EQ(result.summary->firstUtcSecondsOfDay, 36000u);
  const std::string gpx = readFile(folder / "odd.gpx");
  EXPECT_THAT(gpx, HasSubstr("lon=\"8.5000000\"></trkpt>"));  // the first point has no time
  EXPECT_THAT(gpx, HasSubstr("T10:00:00Z</time>"));
  // A <gx:Track> pairs each position with a time, so the KML keeps both points in a line.
  EXPECT_THAT(readFile(folder / "odd.kml"),
              HasSubstr("<LineString>\n      <altitudeMode>relativeToGround</altitudeMode>\n"
                        "      <coordinates>\n8.5000000,48.0000000,0\n8.5000000,48.0000167,0\n"
                        "      </coordinates>\n    </LineString>\n"));
}

// The names in a folder.
std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// A track with points without a time (a time field past the day) is a line through every point
// the GPX holds, wherever those points fall: first, in the middle, last, after enough timed points
// to fill several blocks of the spill, or all of them.
TEST(TrackTimes, AKmlWithUntimedPointsHoldsEveryPointOfTheGpx) {
  if (!hasTool("gpsbabel") || !hasTool("xmllint")) GTEST_SKIP() << "gpsbabel or xmllint missing";
  constexpr std::uint32_t kNoTime = 100000;
  const struct {
    const char* situation;
    std::uint32_t points;
    std::vector<std::uint32_t> untimed;
  } cases[] = {
      {"the first point", 3, {0}},   {"a point in the middle", 4, {2}},
      {"the last point", 3, {2}},    {"after 5000 timed points", 5003, {5000}},
      {"every point", 3, {0, 1, 2}},
  };
  for (const auto& [situation, points, untimed] : cases) {
    SCOPED_TRACE(situation);
    TempFolder folder;
    LogBuilder log;
    log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
    for (std::uint32_t i = 0; i < points; ++i) {
      const bool timed = std::find(untimed.begin(), untimed.end(), i) == untimed.end();
      gpsRecord(log, 2, timed ? 36000 + i / 5 : kNoTime, 3 * i);
    }
    log.writeFiles(folder / "some");
    writeTracks(folder / "some", std::nullopt);
    EXPECT_THAT(namesIn(folder.path()),
                UnorderedElementsAre("some.KLD", "some.KLI", "some.gpx", "some.kml"));
    const fs::path kml = folder / "some.kml";
    EXPECT_EQ(std::system(("xmllint --noout " + kml.string()).c_str()), 0);
    const std::string text = readFile(kml);
    EXPECT_THAT(text, HasSubstr("<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n"));
    EXPECT_THAT(text, Not(HasSubstr("gx:")));

    const std::vector<Point> gpx = gpsbabelTrack("gpx", folder / "some.gpx", folder / "gpx.csv");
    const std::vector<Point> read = gpsbabelTrack("kml", kml, folder / "kml.csv");
    ASSERT_EQ(gpx.size(), points);
    ASSERT_EQ(read.size(), points);
    for (std::size_t i = 0; i < points; ++i) {
      EXPECT_NEAR(read[i].latitude, gpx[i].latitude, 1e-7) << "point " << i;
      EXPECT_NEAR(read[i].longitude, gpx[i].longitude, 1e-7) << "point " << i;
    }
  }
}

// Random slot words give a GPS garbled times now and then: the KML holds as many points as the
// GPX in every such log, and xmllint accepts it.
TEST(TrackTimes, RandomGpsLogsGiveAsManyKmlPointsAsGpxPoints) {
  if (!hasTool("gpsbabel") || !hasTool("xmllint")) GTEST_SKIP() << "gpsbabel or xmllint missing";
  for (std::uint32_t seed = 1; seed <= 30; ++seed) {
    TempFolder folder;
    LogBuilder log;
    log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
    std::uint32_t noise = seed * 7919;
    for (int r = 0; r < 200; ++r) log.record().noise(noise, 0);
    log.writeFiles(folder / "random");
    writeTracks(folder / "random", std::nullopt);
    if (!fs::exists(folder / "random.gpx")) continue;
    const fs::path kml = folder / "random.kml";
    EXPECT_EQ(std::system(("xmllint --noout " + kml.string()).c_str()), 0) << seed;
    EXPECT_EQ(gpsbabelTrack("kml", kml, folder / "kml.csv").size(),
              gpsbabelTrack("gpx", folder / "random.gpx", folder / "gpx.csv").size())
        << "seed " << seed;
  }
}

// A track whose every point has a time stays a <gx:Track>, byte for byte as it always was.
TEST(TrackTimes, AFullyTimedTrackIsAGxTrackAsBefore) {
  TempFolder folder;
  LogBuilder log;
  log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
  gpsRecord(log, 2, 36000, 0);
  gpsRecord(log, 2, 36001, 10);
  gpsRecord(log, 2, 36001, 10);  // no move, no point
  gpsRecord(log, 2, 36002, 5);
  log.writeFiles(folder / "timed");
  writeTracks(folder / "timed", std::chrono::year_month_day{std::chrono::year(2024),
                                                            std::chrono::May, std::chrono::day(1)});
  const auto mark = [](const char* name, const char* time, const char* coordinates) {
    return std::string("  <Placemark>\n    <name>") + name +
           "</name>\n    <TimeStamp><when>2024-05-01T10:00:0" + time +
           "Z</when></TimeStamp>\n    <Point>\n"
           "      <altitudeMode>relativeToGround</altitudeMode>\n      <coordinates>" +
           coordinates + "</coordinates>\n    </Point>\n  </Placemark>\n";
  };
  EXPECT_EQ(readFile(folder / "timed.kml"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
            "xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\n"
            "<Document>\n  <name>timed.KLD</name>\n  <Placemark>\n    <name>GPS (slot 2)</name>\n"
            "    <gx:Track>\n      <altitudeMode>relativeToGround</altitudeMode>\n"
            "      <when>2024-05-01T10:00:00Z</when>\n"
            "      <when>2024-05-01T10:00:01Z</when>\n"
            "      <when>2024-05-01T10:00:02Z</when>\n"
            "      <gx:coord>8.5000000 48.0000000 0</gx:coord>\n"
            "      <gx:coord>8.5000000 48.0000167 0</gx:coord>\n"
            "      <gx:coord>8.5000000 48.0000083 0</gx:coord>\n"
            "    </gx:Track>\n  </Placemark>\n" +
                mark("Start", "0", "8.5000000,48.0000000,0") +
                mark("Highest point", "0", "8.5000000,48.0000000,0") +
                mark("Farthest point", "1", "8.5000000,48.0000167,0") + "</Document>\n</kml>\n");
}

// A record of the clockless GPS at slot 2: a valid position at 48°00.0000'N and 8°30.0000'E plus
// `step` units, and the altitude word `altitudeWord` (bit 14: valid; bit 15: the sign).
void q3303Record(LogBuilder& log, std::uint16_t altitudeWord, std::uint16_t step) {
  log.record()
      .word(2, 0x4000)
      .word(3, altitudeWord)
      .word(6, 48 << 8)
      .word(7, 0)
      .word(8, 8 << 8 | 0x04)
      .word(9, static_cast<std::uint16_t>(0x93E0 + step));
}

// A GPS counts heights from where it was switched on: a flight down from a hilltop goes below
// zero, which both track files keep with its sign.
TEST(TrackFiles, HeightsBelowTheStartKeepTheirSign) {
  const struct {
    std::uint16_t altitudeWord;
    const char* height;
  } cases[] = {{0xFFF4, "-12"}, {0x4000 | 100, "100"}};
  for (const auto& [altitudeWord, height] : cases) {
    TempFolder folder;
    LogBuilder log;
    log.sensor(2, typeIdOf<Q3303GpsDecoder>());
    q3303Record(log, 0x4000, 0);  // the start, then 0.001 minutes east
    q3303Record(log, altitudeWord, 10);
    log.writeFiles(folder / "hill");
    writeTracks(folder / "hill", std::nullopt);
    EXPECT_THAT(readFile(folder / "hill.gpx"),
                HasSubstr("lon=\"8.5000167\"><ele>" + std::string(height) + "</ele></trkpt>"));
    const std::string kml = readFile(folder / "hill.kml");
    EXPECT_THAT(kml, HasSubstr("\n8.5000167,48.0000000," + std::string(height) + "\n"));
    EXPECT_THAT(kml, HasSubstr("<name>Farthest point</name>\n    <Point>\n"
                               "      <altitudeMode>relativeToGround</altitudeMode>\n"
                               "      <coordinates>8.5000167,48.0000000," +
                               std::string(height) + "</coordinates>"));
  }
}

// A GPS without a clock (the Q3303) gives a line through its positions, which carries no times.
TEST(TrackTimes, AGpsWithoutTimesGivesALine) {
  TempFolder folder;
  LogBuilder log;
  log.sensor(2, typeIdOf<Q3303GpsDecoder>());
  for (const std::uint16_t step : {0, 10}) q3303Record(log, 0x4000 | 100, step);
  log.writeFiles(folder / "plain");

  writeTracks(folder / "plain", std::nullopt);
  EXPECT_THAT(readFile(folder / "plain.kml"),
              HasSubstr("<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n"
                        "  <name>plain.KLD</name>\n  <Placemark>\n"
                        "    <name>GPS Q3303   (slot 2)</name>\n    <LineString>\n"
                        "      <altitudeMode>relativeToGround</altitudeMode>\n"
                        "      <coordinates>\n8.5000000,48.0000000,0\n8.5000167,48.0000000,0\n"
                        "      </coordinates>\n    </LineString>\n"));
}

}  // namespace
}  // namespace trelvox
