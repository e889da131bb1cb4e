// The flat CSV (--flat) as an analysis tool gets it: the bytes of its header and rows.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversion/decoder_registry.h"
#include "decoders/gps_sensors.h"
#include "support/stream_bytes.h"
#include "tests/cli_run.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find("\r\n", at);
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// Two GPS of one type; only the one at slot 9 sends positions, a little north of 48° N, 8° W.
LogBuilder twoGpsLog() {
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>()).sensor(9, typeIdOf<OrvaneGpsDecoder>());
  for (std::int32_t i = 0; i < 2; ++i) {
    addStreamGpsRecord(log, 9, 48 * 600000 + 10 * i, -8 * 600000,
                       36005 + static_cast<std::uint32_t>(i));
  }
  return log;
}

class FlatCsv : public ::testing::Test {
 protected:
  void SetUp() override { twoGpsLog().writeFiles(folder / "flight"); }
  std::string log() const { return (folder / "flight.KLD").string(); }

  TempFolder folder;
};

TEST_F(FlatCsv, SensorsOfOneTypeSayTheirSlotAndPositionsAreSignedDegrees) {
  const CliRun flat = run({"--flat", "-o", "-", log()});
  ASSERT_EQ(flat.status, 0) << flat.err;
  ASSERT_THAT(flat.out, StartsWith("\xEF\xBB\xBF"));
  const std::vector<std::string> lines = linesOf(flat.out.substr(3));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_THAT(lines[0], StartsWith("TIME [ms],CH1,CH2,"));
  EXPECT_THAT(lines[0], ::testing::HasSubstr(",RECEIVER STATUS,GPS (slot 1) DISTANCE [m],"));
  EXPECT_THAT(lines[0], ::testing::EndsWith(
                            ",GPS (slot 9) LATITUDE [\xC2\xB0],GPS (slot 9) LONGITUDE [\xC2\xB0],"
                            "GPS (slot 9) TIME(UTC)"));
  // The GPS at slot 1 has nothing: empty cells; the last field has no separator after it.
  EXPECT_THAT(lines[1], ::testing::EndsWith(",48.0000000,-8.0000000,10:00:05"));
  EXPECT_THAT(lines[2], ::testing::EndsWith(",48.0000167,-8.0000000,10:00:06"));
  EXPECT_THAT(lines[1], ::testing::HasSubstr(",,,,"));
  EXPECT_THAT(lines[1], ::testing::Not(::testing::HasSubstr("---")));
  EXPECT_THAT(lines[1], ::testing::Not(::testing::HasSubstr(" ")));
}

TEST_F(FlatCsv, FollowsTheSeparatorsAndIgnoresTheUnitsRow) {
  const CliRun flat = run({"--flat", "--decimal", ",", "-o", "-", log()});
  ASSERT_EQ(flat.status, 0) << flat.err;
  EXPECT_THAT(linesOf(flat.out)[1], ::testing::EndsWith(";48,0000000;-8,0000000;10:00:05"));
  EXPECT_EQ(run({"--flat", "--units", "--decimal", ",", "-o", "-", log()}).out, flat.out);
}

TEST_F(FlatCsv, TakesThePlaceOfTheCsvFile) {
  ASSERT_EQ(run({"--flat", log()}).status, 0);
  const CliRun piped = run({"--flat", "-o", "-", log()});
  EXPECT_EQ(readFile(folder / "flight.csv"), piped.out);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(names, ::testing::UnorderedElementsAre("flight.KLD", "flight.KLI", "flight.csv"));
}

}  // namespace
}  // namespace trelvox
