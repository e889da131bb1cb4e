#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "conversion/decoder_registry.h"
#include "tests/csv_table.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;

struct TypeColumns {
  int typeId;
  std::size_t columns;
};

// How many CSV columns each sensor type writes.
const TypeColumns kColumnsPerType[] = {
    {typeIdOf<OrvaneTemperatureSensorDecoder>(), 1},
    {typeIdOf<VoltageSensorDecoder>(), 2},
    {typeIdOf<OrvaneCurrentSensorDecoder>(), 3},
    {typeIdOf<RpmSensorDecoder>(), 1},
    {typeIdOf<OrvaneAltitudeSensorDecoder>(), 2},
    {typeIdOf<OrvaneGpsDecoder>(), 7},
    {typeIdOf<ServoAdapterDecoder>(), 6},
    {typeIdOf<SpeedSensorDecoder>(), 1},
    {typeIdOf<OrvaneEscDecoder>(), 7},
    {typeIdOf<Kora5Decoder>(), 11},
    {typeIdOf<Q3305TemperatureSensorDecoder>(), 1},
    {typeIdOf<Q3303GpsDecoder>(), 6},
    {typeIdOf<Q3302VarioDecoder>(), 2},
    {typeIdOf<Q3301VarioDecoder>(), 2},
    {typeIdOf<Q3304CurrentSensorDecoder>(), 3},
    {typeIdOf<KosmikDecoder>(), 8},
    {typeIdOf<RoxxyDecoder>(), 5},
    {typeIdOf<CastleDecoder>(), 8},
    {typeIdOf<JetCatDecoder>(), 13},
    {typeIdOf<PowerBoxDecoder>(), 14},
    {typeIdOf<TrueAirSpeedDecoder>(), 1},
    {typeIdOf<ScorpionDecoder>(), 8},
    {typeIdOf<Nav60Decoder>(), 16},
    {typeIdOf<Zr450Decoder>(), 4},
    {typeIdOf<HobbyWingDecoder>(), 7},
    {typeIdOf<Px31Decoder>(), 26},
    {typeIdOf<Px32Decoder>(), 27},
    {typeIdOf<Px33Decoder>(), 26},
    {typeIdOf<Px34Decoder>(), 26},
};

// The sensor columns of a CSV grouped by the type name above them, in order of appearance.
std::map<std::string, std::size_t> columnsPerTypeName(const CsvTable& csv) {
  std::map<std::string, std::size_t> counts;
  const auto& names = csv.header(1);
  for (std::size_t c = 17; c < names.size(); ++c) ++counts[names[c]];
  return counts;
}

// Whether any data row shows a value (not "---") in one of the columns under `typeName`.
bool decodedSomething(const CsvTable& csv, const std::string& typeName) {
  const auto& names = csv.header(1);
  for (std::size_t r = 3; r < csv.rows().size(); ++r) {
    for (std::size_t c = 17; c < names.size(); ++c) {
      if (names[c] == typeName && csv.rows()[r][c] != "---") return true;
    }
  }
  return false;
}

TEST(EndToEnd, EveryKnownTypeHasADecoder) {
  for (int typeId = 0; typeId < 256; ++typeId) {
    EXPECT_EQ(findDecoderType(typeId) != nullptr, slotsOccupied(typeId) > 0) << typeId;
  }
}

TEST(EndToEnd, EachTypeWritesItsColumnsAndDecodesFreshData) {
  for (const TypeColumns& type : kColumnsPerType) {
    LogBuilder log;
    log.sensor(1, type.typeId);
    std::uint32_t seed = 7;
    for (int i = 0; i < 20; ++i) log.record().noise(seed, 0xC0C0);
    const CsvTable csv = convert(log);
    const std::string name(typeName(type.typeId));
    EXPECT_EQ(columnsPerTypeName(csv)[name], type.columns) << name;
    EXPECT_EQ(csv.header(0).size(), 20 + type.columns) << name;
    EXPECT_TRUE(decodedSomething(csv, name)) << name;
  }
}

// The maker's own sensors all in one log, two slots apart (together they need more slots than a
// group has, so they share words).
TEST(EndToEnd, OneLogWithEveryOwnSensorType) {
  const int kTypes[] = {typeIdOf<OrvaneTemperatureSensorDecoder>(),
                        typeIdOf<VoltageSensorDecoder>(),
                        typeIdOf<OrvaneCurrentSensorDecoder>(),
                        typeIdOf<RpmSensorDecoder>(),
                        typeIdOf<OrvaneAltitudeSensorDecoder>(),
                        typeIdOf<OrvaneGpsDecoder>(),
                        typeIdOf<ServoAdapterDecoder>(),
                        typeIdOf<SpeedSensorDecoder>(),
                        typeIdOf<Kora5Decoder>(),
                        typeIdOf<Q3305TemperatureSensorDecoder>(),
                        typeIdOf<Q3303GpsDecoder>(),
                        typeIdOf<Q3302VarioDecoder>(),
                        typeIdOf<Q3301VarioDecoder>(),
                        typeIdOf<Q3304CurrentSensorDecoder>(),
                        typeIdOf<TrueAirSpeedDecoder>()};
  LogBuilder log;
  log.sensorsTwoSlotsApart(kTypes);
  std::uint32_t seed = 99;
  for (int i = 0; i < 30; ++i) log.record().noise(seed, 0xC0C0);
  const CsvTable csv = convert(log);

  const auto counts = columnsPerTypeName(csv);
  for (const TypeColumns& type : kColumnsPerType) {
    const std::string name(typeName(type.typeId));
    if (std::find(std::begin(kTypes), std::end(kTypes), type.typeId) == std::end(kTypes)) continue;
    EXPECT_EQ(counts.at(name), type.columns) << name;
    EXPECT_TRUE(decodedSomething(csv, name)) << name;
  }
  for (const auto& row : csv.rows()) EXPECT_EQ(row.size(), csv.header(0).size());
}

int runQuietly(const std::string& command) {
  return std::system((command + " > /dev/null 2>&1").c_str());
}

// The example generator's test log of every other maker's device, through the program.
TEST(EndToEnd, GeneratedLogWithEveryOtherMakersDevice) {
  TempFolder folder;
  const fs::path base = folder / "devices";
  ASSERT_EQ(runQuietly(std::string(TRELVOX_DEMO_GENERATOR) + " --all-devices " + base.string()), 0);
  ASSERT_EQ(runQuietly(std::string(TRELVOX_BINARY) + " " + base.string() + ".KLD"), 0);
  const CsvTable csv(readFile(folder / "devices.csv"), ',');

  const auto counts = columnsPerTypeName(csv);
  EXPECT_EQ(counts.size(), 15u);  // the receiver and fourteen devices
  for (const TypeColumns& type : kColumnsPerType) {
    if (type.typeId < typeIdOf<KosmikDecoder>() && type.typeId != typeIdOf<OrvaneEscDecoder>())
      continue;
    if (type.typeId == typeIdOf<TrueAirSpeedDecoder>()) continue;
    const std::string name(typeName(type.typeId));
    EXPECT_EQ(counts.at(name), type.columns) << name;
    EXPECT_TRUE(decodedSomething(csv, name)) << name;
  }
}

// The bundled example is exactly what the generator writes, and converts.
TEST(EndToEnd, BundledExampleIsTheGeneratorsOutput) {
  TempFolder folder;
  ASSERT_EQ(runQuietly(std::string(TRELVOX_DEMO_GENERATOR) + " " + (folder / "demo").string()), 0);
  const fs::path examples = fs::path(TRELVOX_SOURCE_DIR) / "examples";
  EXPECT_EQ(readFile(folder / "demo.KLI"), readFile(examples / "demo.KLI"));
  EXPECT_EQ(readFile(folder / "demo.KLD"), readFile(examples / "demo.KLD"));

  ASSERT_EQ(runQuietly(std::string(TRELVOX_BINARY) + " " + (folder / "demo.KLD").string()), 0);
  const CsvTable csv(readFile(folder / "demo.csv"), ',');
  EXPECT_EQ(csv.dataRowCount(), 2400u);
  for (const char* type : {"VOLTAGE SENSOR", "CURRENT SENSOR", "TEMPERATURE SENSOR", "RPM SENSOR",
                           "ALTITUDE SENSOR", "GPS"}) {
    EXPECT_TRUE(decodedSomething(csv, type)) << type;
  }
}

}  // namespace
}  // namespace trelvox
