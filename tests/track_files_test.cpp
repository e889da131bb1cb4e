// The GPX and KML tracks, read back by gpsbabel and checked by xmllint as a map program would.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "conversion/log_converter.h"
#include "support/stream_bytes.h"
#include "tests/csv_table.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

bool hasTool(const std::string& tool) {
  return std::system(("command -v " + tool + " > /dev/null 2>&1").c_str()) == 0;
}

struct Point {
  double latitude;
  double longitude;
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
    points.push_back({degreesOf(latitudes[r]), degreesOf(longitudes[r])});
  }
  return points;
}

// The track points gpsbabel reads from `file` in `format`, through its unicsv output.
std::vector<Point> gpsbabelTrack(const std::string& format, const fs::path& file,
                                 const fs::path& scratch) {
  const std::string command = "gpsbabel -t -i " + format + " -f '" + file.string() +
                              "' -o unicsv -F '" + scratch.string() + "'";
  if (std::system(command.c_str()) != 0) return {};
  std::istringstream lines(readFile(scratch));
  std::string line;
  std::getline(lines, line);  // No,Latitude,Longitude,...
  std::vector<Point> points;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string number, latitude, longitude;
    std::getline(fields, number, ',');
    std::getline(fields, latitude, ',');
    std::getline(fields, longitude, ',');
    points.push_back({std::stod(latitude), std::stod(longitude)});
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

TEST(TrackTimes, APassThroughMidnightMovesToTheNextDay) {
  TempFolder folder;
  LogBuilder log;
  log.sensor(2, typeIdOf<OrvaneGpsDecoder>());
  gpsRecord(log, 2, 86398, 0);
  gpsRecord(log, 2, 86399, 10);
  gpsRecord(log, 2, 0, 20);
  gpsRecord(log, 2, 1, 30);
  log.writeFiles(folder / "night");

  ConversionRequest request;
  request.gpx = folder / "night.gpx";
  request.date = std::chrono::year_month_day{std::chrono::year(2023), std::chrono::December,
                                             std::chrono::day(31)};
  LogConverter converter(Separators{});
  converter.open(folder / "night", request);
  converter.convert();
  const std::string gpx = readFile(folder / "night.gpx");
  for (const char* time : {"2023-12-31T23:59:58Z", "2023-12-31T23:59:59Z", "2024-01-01T00:00:00Z",
                           "2024-01-01T00:00:01Z"}) {
    EXPECT_THAT(gpx, HasSubstr(std::string("<time>") + time + "</time>"));
  }
  EXPECT_THAT(gpx, HasSubstr("<trkpt lat=\"48.0000000\" lon=\"8.5000000\">"));
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
  request.gpx = folder / "odd.gpx";
  request.report = true;
  LogConverter converter(Separators{});
  converter.open(folder / "odd", request);
  const ConversionResult result = converter.convert();
  EXPECT_EQ(result.report->firstUtcSecondsOfDay, 36000u);
  const std::string gpx = readFile(folder / "odd.gpx");
  EXPECT_THAT(gpx, HasSubstr("lon=\"8.5000000\"></trkpt>"));  // the first point has no time
  EXPECT_THAT(gpx, HasSubstr("T10:00:00Z</time>"));
}

}  // namespace
}  // namespace trelvox
