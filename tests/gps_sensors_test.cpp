#include "decoders/gps_sensors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/stream_bytes.h"
#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;

constexpr int kSlot = 1;
// Ten-thousandths of a minute of arc.
constexpr std::int32_t kMinute = 10000;
constexpr std::int32_t kDegree = 60 * kMinute;

// What the GPS sensor's eight words carry.
struct GpsFields {
  std::uint32_t seconds = 0;
  std::int32_t latitude = kMinute;
  std::int32_t longitude = 0;
  std::uint32_t speed = 0;
  bool positionValid = true;
  std::uint32_t positionStatus = 0;
  std::uint32_t altitude = 10000;  // 0.1 m, counted from an offset
  std::uint32_t vario = 1500;      // 0.1 m/s, 1500 is no climb
  bool altitudeValid = true;
};

std::uint32_t magnitude(std::int32_t v) { return static_cast<std::uint32_t>(v < 0 ? -v : v); }

StreamBytes<8> gpsStream(const GpsFields& f) {
  StreamBytes<8> stream;
  stream.field(0, 17, f.seconds)
      .field(17, 26, magnitude(f.latitude))
      .flag(43, f.latitude < 0)
      .field(44, 27, magnitude(f.longitude))
      .flag(71, f.longitude < 0)
      .field(72, 9, f.speed)
      .flag(81, f.positionValid)
      .field(82, 3, f.positionStatus)
      .field(99, 16, f.altitude)
      .field(115, 12, f.vario)
      .flag(127, f.altitudeValid);
  return stream;
}

void addGpsRecord(LogBuilder& log, const GpsFields& f) { gpsStream(f).into(log.record(), kSlot); }

// What the Q3303's eight words carry.
struct Q3303Fields {
  std::int32_t latitude = kMinute;
  std::int32_t longitude = 0;
  int speed = 0;
  bool positionValid = true;
  int altitude = 100;  // m
  int vario = 0;       // 0.1 m/s
  bool altitudeValid = true;
};

// A reading whose sign is copied into bit 14, with bit 14 then set to the validity flag.
std::uint16_t flaggedWord(int value, bool valid) {
  const auto word = static_cast<std::uint16_t>(static_cast<std::uint16_t>(value) & ~0x4000u);
  return static_cast<std::uint16_t>(valid ? word | 0x4000u : word);
}

// Degrees in the high byte, the hemisphere in bit 4 and the top of the minutes in the low byte.
std::uint16_t degreesWord(std::int32_t coordinate) {
  const std::uint32_t m = magnitude(coordinate);
  const std::uint32_t minutes = m % kDegree;
  return static_cast<std::uint16_t>(m / kDegree << 8 | (coordinate < 0 ? 0x10u : 0u) |
                                    minutes >> 16);
}
std::uint16_t minutesWord(std::int32_t coordinate) {
  return static_cast<std::uint16_t>(magnitude(coordinate) % kDegree & 0xFFFF);
}

void addQ3303Record(LogBuilder& log, const Q3303Fields& f) {
  log.record()
      .word(kSlot, flaggedWord(f.speed, f.positionValid))
      .word(kSlot + 1, flaggedWord(f.altitude, f.altitudeValid))
      .word(kSlot + 2, 0xFFFF)
      .word(kSlot + 3, static_cast<std::uint16_t>(f.vario))
      .word(kSlot + 4, degreesWord(f.latitude))
      .word(kSlot + 5, minutesWord(f.latitude))
      .word(kSlot + 6, degreesWord(f.longitude))
      .word(kSlot + 7, minutesWord(f.longitude));
}

TEST(GpsSensors, HeaderRowsOfBothModelsAndTheirTextsBeforeAnyPosition) {
  struct Case {
    int type;
    SensorColumns columns;
  };
  const std::vector<std::string> names =
      textsOf("DISTANCE", "SPEED", "ALTITUDE", "VARIOMETER", "LATITUDE", "LONGITUDE");
  std::vector<std::string> gpsNames = names;
  gpsNames.push_back("TIME(UTC)");
  for (const Case& c : {Case{typeIdOf<OrvaneGpsDecoder>(), {"3", "GPS", gpsNames}},
                        Case{typeIdOf<Q3303GpsDecoder>(), {"3", "GPS Q3303  ", names}}}) {
    SCOPED_TRACE(c.columns.typeName);
    const CsvTable csv = convertEmptyRecord(3, c.type);
    expectColumns(csv, {c.columns});
    EXPECT_THAT(fieldsAfterReceiver(csv.rows().back()), Each("---"));
  }
}

struct PositionCase {
  std::int32_t latitude;
  std::int32_t longitude;
  const char* latitudeText;
  const char* longitudeText;
};
constexpr PositionCase kPositionCases[] = {
    {-21300000, 83860020, "S 35:30.0000", "E139:46.0020"},
    {1, -1, "N  0:00.0001", "W  0:00.0001"},
    {89 * kDegree + 59 * kMinute + 9999, -(179 * kDegree + 5 * kMinute), "N 89:59.9999",
     "W179:05.0000"},
    {-(9 * kDegree), 10 * kDegree, "S  9:00.0000", "E 10:00.0000"},
};

// `addRecord(log, latitude, longitude)` adds a record of the model that carries that position.
template <typename AddRecord>
void expectPositionTexts(int type, AddRecord addRecord) {
  for (const PositionCase& c : kPositionCases) {
    SCOPED_TRACE(c.latitudeText);
    LogBuilder log = logWithSensor(kSlot, type);
    addRecord(log, c.latitude, c.longitude);
    const CsvTable csv = convert(log, Separators{';', ','});
    EXPECT_THAT(csv.column("LATITUDE"), ElementsAre(c.latitudeText));
    EXPECT_THAT(csv.column("LONGITUDE"), ElementsAre(c.longitudeText));
  }
}

TEST(GpsSensors, PositionTextsOfBothModels) {
  expectPositionTexts(typeIdOf<OrvaneGpsDecoder>(),
                      [](LogBuilder& log, std::int32_t latitude, std::int32_t longitude) {
                        addGpsRecord(log, {.latitude = latitude, .longitude = longitude});
                      });
  expectPositionTexts(typeIdOf<Q3303GpsDecoder>(),
                      [](LogBuilder& log, std::int32_t latitude, std::int32_t longitude) {
                        addQ3303Record(log, {.latitude = latitude, .longitude = longitude});
                      });
}

TEST(GpsSensors, TimeOfDayText) {
  struct Case {
    std::uint32_t seconds;
    const char* text;
  };
  for (const Case& c : {Case{45296, "12:34:56"}, Case{5, "00:00:05"}, Case{0, "00:00:00"},
                        Case{86399, "23:59:59"}, Case{0x1FFFF, "36:24:31"}}) {
    SCOPED_TRACE(c.text);
    LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneGpsDecoder>());
    addGpsRecord(log, {.seconds = c.seconds});
    EXPECT_THAT(convert(log).column("TIME(UTC)"), ElementsAre(c.text));
  }
}

TEST(GpsSensors, ARecordWithoutPositionUpdatesOnlyAltitudeAndClimb) {
  LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneGpsDecoder>());
  addGpsRecord(log, {.seconds = 60, .latitude = kMinute, .speed = 20, .altitude = 1000});
  addGpsRecord(log, {.seconds = 61,
                     .latitude = 5 * kMinute,
                     .speed = 90,
                     .positionValid = false,
                     .altitude = 1250,
                     .vario = 1520});
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("DISTANCE"), ElementsAre("     0", "     0"));
  EXPECT_THAT(csv.column("SPEED"), ElementsAre("   20", "   20"));
  EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("    0.0", "   25.0"));
  EXPECT_THAT(csv.column("VARIOMETER"), ElementsAre("    0.0", "   +2.0"));
  EXPECT_THAT(csv.column("LATITUDE"), ElementsAre("N  0:01.0000", "N  0:01.0000"));
  EXPECT_THAT(csv.column("TIME(UTC)"), ElementsAre("00:01:00", "---"));
}

TEST(GpsSensors, ARecordWithoutAltitudeKeepsAltitudeAndClimb) {
  LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneGpsDecoder>());
  addGpsRecord(log, {.speed = 511, .altitude = 1000, .vario = 1400});
  addGpsRecord(log, {.speed = 0, .altitude = 3000, .vario = 2000, .altitudeValid = false});
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("SPEED"), ElementsAre("  511", "    0"));
  EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("    0.0", "    0.0"));
  EXPECT_THAT(csv.column("VARIOMETER"), ElementsAre("  -10.0", "  -10.0"));
}

TEST(GpsSensors, AltitudeIsTheFieldDifferenceFromTheFirstValidAltitude) {
  struct Case {
    std::uint32_t referenceField;
    std::uint32_t laterField;
    const char* text;
  };
  // Field 41318 minus the sensor's offset of 8551 is 0x7FFF: still an ordinary reference.
  for (const Case& c :
       {Case{41318, 41328, "    1.0"}, Case{41318, 41308, "   -1.0"}, Case{0, 12345, " 1234.5"},
        Case{65535, 5, "    0.6"}, Case{0, 65535, "   -0.1"}}) {
    SCOPED_TRACE(c.laterField);
    LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneGpsDecoder>());
    addGpsRecord(log, {.altitude = c.referenceField});
    addGpsRecord(log, {.altitude = c.laterField});
    EXPECT_THAT(convert(log).column("ALTITUDE"), ElementsAre("    0.0", c.text));
  }
}

TEST(GpsSensors, GpsSensorFieldsFromTheirBytes) {
  // Time 45296 = H0 + L0 * 256; latitude 21300000 = (H1 >> 1) + L1 * 128 + H2 * 32768 +
  // (L2 & 7) * 8388608 with the south bit 3 of L2; longitude 83860020 = (L2 >> 4) + H3 * 16 +
  // L3 * 4096 + (H4 & 0x7F) * 1048576; speed 300 = L4 + (H5 & 1) * 256; position valid = bit 1
  // of H5. Altitude field 1000 = (H6 >> 3) + L6 * 32; vario field 1525 = (H7 >> 3) +
  // (L7 & 0x7F) * 32; altitude valid = bit 7 of L7.
  LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneGpsDecoder>());
  addGpsRecord(log, {.latitude = -21300000, .longitude = 83860020, .altitude = 0, .vario = 0});
  log.record()
      .bytes(kSlot, 0xF0, 0xB0)
      .bytes(kSlot + 1, 32 << 1, 6)
      .bytes(kSlot + 2, 138, 4 << 4 | 0x08 | 2)
      .bytes(kSlot + 3, 163, 249)
      .bytes(kSlot + 4, 79, 44)
      .bytes(kSlot + 5, 0x02 | 1, 0)
      .bytes(kSlot + 6, 8 << 3, 31)
      .bytes(kSlot + 7, 21 << 3, 0x80 | 47);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("TIME(UTC)"), ElementsAre("00:00:00", "12:34:56"));
  EXPECT_THAT(csv.column("LATITUDE"), ElementsAre("S 35:30.0000", "S 35:30.0000"));
  EXPECT_THAT(csv.column("LONGITUDE"), ElementsAre("E139:46.0020", "E139:46.0020"));
  EXPECT_THAT(csv.column("SPEED"), ElementsAre("    0", "  300"));
  EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("    0.0", "  100.0"));
  EXPECT_THAT(csv.column("VARIOMETER"), ElementsAre(" -150.0", "   +2.5"));
}

TEST(GpsSensors, GpsSensorIgnoresTheBitsAroundItsFields) {
  LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneGpsDecoder>());
  StreamBytes<8> stream = gpsStream({.seconds = 45296, .latitude = -kDegree, .speed = 42});
  stream.field(85, 14, 0x3FFF);
  stream.into(log.record(), kSlot);
  const CsvTable csv = convert(log);
  EXPECT_THAT(lastFields(csv.rows().back(), 7),
              ElementsAre("     0", "   42", "    0.0", "    0.0", "S  1:00.0000", "E  0:00.0000",
                          "12:34:56"));
}

TEST(GpsSensors, Q3303ReadingsAndTheirTexts) {
  LogBuilder log = logWithSensor(kSlot, typeIdOf<Q3303GpsDecoder>());
  addQ3303Record(log, {.speed = 36, .altitude = -200, .vario = -15});
  addQ3303Record(log, {.speed = 16383, .altitude = 16383, .vario = 12345});
  addQ3303Record(log, {.speed = 5, .positionValid = false, .altitude = -16384, .vario = 7});
  addQ3303Record(log, {.speed = 6, .altitude = 0, .vario = 8, .altitudeValid = false});
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("SPEED"), ElementsAre("   36", "16383", "16383", "    6"));
  EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("     0", " 16583", "-16184", "-16184"));
  EXPECT_THAT(csv.column("VARIOMETER"), ElementsAre("  -1.5", "+1234.5", "  +0.7", "  +0.7"));
}

TEST(GpsSensors, DistanceFromTheFirstPosition) {
  struct Case {
    const char* situation;
    std::int32_t latitude;
    std::int32_t longitude;
    const char* text;
  };
  const Case cases[] = {
      {"same place", kMinute, 0, "     0"},
      {"one minute north on the meridian", 2 * kMinute, 0, "  1849"},
      {"one minute south, onto the equator", 0, 0, "  1849"},
      {"one minute east", kMinute, kMinute, "  1855"},
      {"one minute west", kMinute, -kMinute, "  1855"},
      {"18 minutes north, beyond 16 bits", 19 * kMinute, 0, " 33283"},
      {"a hundred degrees north", kMinute + 100 * kDegree, 0, "11094625"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneGpsDecoder>());
    addGpsRecord(log, {.latitude = kMinute, .longitude = 0});
    addGpsRecord(log, {.latitude = c.latitude, .longitude = c.longitude});
    EXPECT_THAT(convert(log).column("DISTANCE"), ElementsAre("     0", c.text));
  }
}

// Longitudes are apart the short way round: a flight over the date line stays near its start, and
// garbled longitudes past the line (the Q3303's degrees byte reaches 255) are taken within a turn.
TEST(GpsSensors, DistanceOverTheDateLineGoesTheShortWayRound) {
  struct Case {
    const char* situation;
    std::int32_t from;
    std::int32_t to;
    const char* text;
  };
  constexpr std::int32_t kNearTheLine = 180 * kDegree - 60;  // 179°59.994'
  const Case cases[] = {
      {"0.012 minutes across the line", kNearTheLine, -kNearTheLine, "    21"},
      {"20 degrees across the line", 170 * kDegree, -170 * kDegree, "2192565"},
      {"half round, either way", 90 * kDegree, -90 * kDegree, "19733093"},
      {"garbled, 455 degrees apart", -200 * kDegree, 255 * kDegree, "10414688"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.situation);
    LogBuilder log = logWithSensor(kSlot, typeIdOf<Q3303GpsDecoder>());
    addQ3303Record(log, {.latitude = 10 * kDegree, .longitude = c.from});
    addQ3303Record(log, {.latitude = 10 * kDegree, .longitude = c.to});
    EXPECT_THAT(convert(log).column("DISTANCE"), ElementsAre("     0", c.text));
  }
}

TEST(GpsSensors, DistanceIncludesTheAltitudeOfThePreviousRecord) {
  LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneGpsDecoder>());
  addGpsRecord(log, {.latitude = kMinute, .altitude = 20000});
  addGpsRecord(log, {.latitude = kMinute, .altitude = 20500});
  addGpsRecord(log, {.latitude = kMinute, .altitude = 30000});
  addGpsRecord(log, {.latitude = 2 * kMinute, .altitude = 30000});
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("    0.0", "   50.0", " 1000.0", " 1000.0"));
  EXPECT_THAT(csv.column("DISTANCE"), ElementsAre("     0", "     0", "    50", "  2102"));
}

TEST(GpsSensors, NoDistanceBeforeAReferencePositionExists) {
  LogBuilder log = logWithSensor(kSlot, typeIdOf<Q3303GpsDecoder>());
  addQ3303Record(log, {.latitude = 0, .longitude = 5 * kDegree, .speed = 3});
  addQ3303Record(log, {.latitude = 2 * kMinute, .longitude = 0, .speed = 4});
  addQ3303Record(log, {.latitude = 0, .longitude = 0, .speed = 5});
  addQ3303Record(log, {.latitude = kMinute, .longitude = 0, .speed = 6});
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("DISTANCE"), ElementsAre("---", "     0", "  3698", "  1849"));
  EXPECT_THAT(csv.column("SPEED"), ElementsAre("    3", "    4", "    5", "    6"));
  EXPECT_THAT(csv.column("LATITUDE"),
              ElementsAre("N  0:00.0000", "N  0:02.0000", "N  0:00.0000", "N  0:01.0000"));
}

// The decoder used directly, over the slot words of one record.
class GpsSensorDirectly : public ::testing::Test {
 protected:
  void put(const GpsFields& f) { gpsStream(f).into(words_, kSlot); }
  void feed(const GpsFields& f) {
    put(f);
    gps_.update();
  }

  RecordWords words_;
  OrvaneGpsDecoder gps_{words_.place(kSlot)};
};

TEST_F(GpsSensorDirectly, SetReferenceAltitudeNeedsAValidAltitude) {
  put({.altitude = 5000, .altitudeValid = false});
  gps_.setReferenceAltitude();
  put({.altitude = 3000});
  gps_.setReferenceAltitude();
  feed({.altitude = 4000});
  EXPECT_EQ(currentTextOf(gps_, 2), "  100.0");
}

}  // namespace
}  // namespace trelvox
