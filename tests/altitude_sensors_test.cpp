#include "decoders/altitude_sensors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/stream_bytes.h"
#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

constexpr int kSlot = 1;

// What the altitude sensor's three words carry.
struct AltitudeFields {
  std::uint32_t altitude = 0;  // 0.1 m, counted from an offset
  std::uint32_t vario = 1500;  // 0.1 m/s, 1500 is no climb
  bool valid = true;
};

StreamBytes<3> altitudeStream(const AltitudeFields& f) {
  StreamBytes<3> stream;
  stream.field(17, 16, f.altitude).field(33, 12, f.vario).flag(45, f.valid);
  return stream;
}

void addAltitudeRecord(LogBuilder& log, const AltitudeFields& f) {
  altitudeStream(f).into(log.record(), kSlot);
}

CsvTable convertAltitudes(std::initializer_list<AltitudeFields> records,
                          Separators separators = {}) {
  LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneAltitudeSensorDecoder>());
  for (const AltitudeFields& f : records) addAltitudeRecord(log, f);
  return convert(log, separators);
}

// Word 1 of the vario models: the height in metres with the validity flag in bit 14.
std::uint16_t varioHeightWord(int metres, bool valid = true) {
  const auto word = static_cast<std::uint16_t>(static_cast<std::uint16_t>(metres) & ~0x4000u);
  return static_cast<std::uint16_t>(valid ? word | 0x4000u : word);
}

struct VarioRecord {
  int metres;
  int climb;
  bool valid = true;
};

CsvTable convertVarios(int type, std::initializer_list<VarioRecord> records) {
  LogBuilder log = logWithSensor(kSlot, type);
  for (const VarioRecord& r : records) {
    log.record()
        .word(kSlot, static_cast<std::uint16_t>(r.climb))
        .word(kSlot + 1, varioHeightWord(r.metres, r.valid));
  }
  return convert(log);
}

TEST(AltitudeSensors, HeaderRowsNameTwoColumnsPerSensor) {
  struct Case {
    int type;
    const char* typeName;
  };
  for (const Case& c : {Case{typeIdOf<OrvaneAltitudeSensorDecoder>(), "ALTITUDE SENSOR"},
                        Case{typeIdOf<Q3302VarioDecoder>(), "VARIO Q3302"},
                        Case{typeIdOf<Q3301VarioDecoder>(), "VARIO Q3301"}}) {
    SCOPED_TRACE(c.typeName);
    const CsvTable csv = convertEmptyRecord(5, c.type);
    expectColumns(csv, {{"5", c.typeName, {"ALTITUDE", "VARIOMETER"}}});
    EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("---"));
  }
}

TEST(OrvaneAltitudeSensor, ShowsHeightAboveTheFirstValidRecord) {
  const CsvTable csv = convertAltitudes({{.altitude = 0, .vario = 1500, .valid = false},
                                         {.altitude = 0, .vario = 1500},
                                         {.altitude = 120, .vario = 1750},
                                         {.altitude = 999, .vario = 0, .valid = false},
                                         {.altitude = 12345, .vario = 0},
                                         {.altitude = 0, .vario = 4095}},
                                        Separators{';', ','});
  EXPECT_THAT(csv.column("ALTITUDE"),
              ElementsAre("---", "   0,0", "  12,0", "  12,0", "1234,5", "   0,0"));
  EXPECT_THAT(csv.column("VARIOMETER"),
              ElementsAre("---", "   0,0", " +25,0", " +25,0", "-150,0", "+259,5"));
}

TEST(OrvaneAltitudeSensor, HeightIsTheFieldDifferenceWrappedToSixteenBits) {
  struct Case {
    std::uint32_t referenceField;
    std::uint32_t laterField;
    const char* text;
  };
  for (const Case& c : {Case{100, 50, "  -5.0"}, Case{65530, 4, "   1.0"}, Case{4, 65530, "  -1.0"},
                        Case{0, 32766, "3276.6"}, Case{0, 32768, "-3276.8"}}) {
    SCOPED_TRACE(c.laterField);
    EXPECT_THAT(convertAltitudes({{.altitude = c.referenceField}, {.altitude = c.laterField}})
                    .column("ALTITUDE"),
                ElementsAre("   0.0", c.text));
  }
}

TEST(OrvaneAltitudeSensor, AReferenceReadingOf7FFFIsStillTheReference) {
  // Field 24216 plus the sensor's offset of 8551 is 0x7FFF; the reference must not be retaken.
  EXPECT_THAT(convertAltitudes({{.altitude = 24216}, {.altitude = 24226}, {.altitude = 24206}})
                  .column("ALTITUDE"),
              ElementsAre("   0.0", "   1.0", "  -1.0"));
}

TEST(OrvaneAltitudeSensor, IgnoresTheBitsAroundItsFields) {
  LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneAltitudeSensorDecoder>());
  addAltitudeRecord(log, {.altitude = 500, .vario = 1500});
  altitudeStream({.altitude = 620, .vario = 1510})
      .field(0, 17, 0x1FFFF)
      .field(46, 2, 3)
      .into(log.record(), kSlot);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("   0.0", "  12.0"));
  EXPECT_THAT(csv.column("VARIOMETER"), ElementsAre("   0.0", "  +1.0"));
}

TEST(OrvaneAltitudeSensor, ReadsTheFieldsFromTheirBytes) {
  // Altitude field (H2 & 1) * 32768 + L1 * 128 + (H1 >> 1) = 32768 + 3 * 128 + 5 = 33157;
  // vario field (L2 & 0x1F) * 128 + (H2 >> 1) = 11 * 128 + 104 = 1512; valid = bit 5 of L2.
  LogBuilder log = logWithSensor(kSlot, typeIdOf<OrvaneAltitudeSensorDecoder>());
  addAltitudeRecord(log, {.altitude = 33057});
  log.record().bytes(kSlot + 1, 5 << 1, 3).bytes(kSlot + 2, 104 << 1 | 1, 0x20 | 11);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("   0.0", "  10.0"));
  EXPECT_THAT(csv.column("VARIOMETER"), ElementsAre("   0.0", "  +1.2"));
}

TEST(VarioSensors, ShowHeightAboveTheFirstValidRecordInWholeMetres) {
  for (const int type : {typeIdOf<Q3302VarioDecoder>(), typeIdOf<Q3301VarioDecoder>()}) {
    SCOPED_TRACE(type);
    EXPECT_THAT(convertVarios(
                    type, {{700, 0, false}, {100, 0}, {220, 0}, {-50, 0}, {16383, 0}, {-16384, 0}})
                    .column("ALTITUDE"),
                ElementsAre("---", "    0", "  120", " -150", "16283", "-16484"));
  }
}

TEST(VarioSensors, ClimbRateTextsDependOnTheModel) {
  struct Case {
    int type;
    int climb;
    const char* text;
  };
  const Case cases[] = {
      {typeIdOf<Q3301VarioDecoder>(), 123, " +1.23"},
      {typeIdOf<Q3301VarioDecoder>(), -5, " -0.05"},
      {typeIdOf<Q3301VarioDecoder>(), 0, "  0.00"},
      {typeIdOf<Q3301VarioDecoder>(), 12345, "+123.45"},
      {typeIdOf<Q3301VarioDecoder>(), -32768, "-327.68"},
      {typeIdOf<Q3302VarioDecoder>(), 123, " +12.3"},
      {typeIdOf<Q3302VarioDecoder>(), -5, "  -0.5"},
      {typeIdOf<Q3302VarioDecoder>(), 0, "   0.0"},
      {typeIdOf<Q3302VarioDecoder>(), 12345, "+1234.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_THAT(convertVarios(c.type, {{10, c.climb}}).column("VARIOMETER"), ElementsAre(c.text));
  }
}

TEST(VarioSensors, ARecordWithoutTheValidBitChangesNeitherColumn) {
  const CsvTable csv =
      convertVarios(typeIdOf<Q3302VarioDecoder>(), {{10, 15}, {90, -40, false}, {12, -40}});
  EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("    0", "    0", "    2"));
  EXPECT_THAT(csv.column("VARIOMETER"), ElementsAre("  +1.5", "  +1.5", "  -4.0"));
}

TEST(VarioSensors, AHeightOf7FFFAboveTheReferenceIsTheNoReadingMark) {
  EXPECT_THAT(convertVarios(typeIdOf<Q3301VarioDecoder>(), {{-16384, 0}, {16383, 0}, {16382, 0}})
                  .column("ALTITUDE"),
              ElementsAre("    0", "---", "32766"));
}

TEST(VarioSensors, SetReferenceAltitudeTakesOnlyAValidReadingAndOnlyOnce) {
  RecordWords words;
  Q3302VarioDecoder vario(words.place(kSlot));
  for (const auto& [metres, valid] : {std::pair{500, false}, {40, true}, {70, true}}) {
    words.word(kSlot + 1, varioHeightWord(metres, valid));
    vario.setReferenceAltitude();
  }
  vario.update();
  EXPECT_EQ(currentTextOf(vario, 0), "   30");
}

}  // namespace
}  // namespace trelvox
