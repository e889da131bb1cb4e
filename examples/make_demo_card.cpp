// Writes the demo card: a dozen short logs of three models in folders of their own, as on a
// transmitter's SD card, made from the demo flight at one record a second. Their days, lengths,
// loads and motor temperatures vary, and one flight of the Extra 330 has a receiver brownout, so
// that the logbook page shows trends and a flight that stands out. Each data file is dated by its
// modification time, which this sets (git does not keep it: run this before trying the card).
//   make_demo_card FOLDER    then: trelvox -r --no-csv --logbook-page card.html FOLDER
#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "examples/demo_flight.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

struct CardLog {
  const char* model;
  const char* name;
  year_month_day day;
  int startHour;
  trelvox::DemoFlightShape shape;
};

constexpr year kYear{2026};

// The Extra's motor runs a little hotter each week; its seventh flight browns out the receiver.
const CardLog kCard[] = {
    {"Extra 330",
     "flight-01",
     kYear / April / 11,
     10,
     {.pace = 1.2, .load = 0.97, .temperatureRise = 28}},
    {"Extra 330",
     "flight-02",
     kYear / April / 11,
     11,
     {.pace = 1.1, .load = 1.02, .temperatureRise = 29}},
    {"Cub", "log-001", kYear / April / 11, 12, {.pace = 1.0, .load = 0.5, .receiverTenths = 50}},
    {"Extra 330",
     "flight-03",
     kYear / April / 18,
     9,
     {.pace = 1.3, .load = 0.98, .temperatureRise = 30}},
    {"Wing", "w-01", kYear / April / 18, 10, {.pace = 1.5, .load = 0.7, .temperatureRise = 15}},
    {"Extra 330",
     "flight-04",
     kYear / April / 25,
     15,
     {.pace = 1.2, .load = 1.0, .temperatureRise = 31}},
    {"Cub", "log-002", kYear / April / 25, 16, {.pace = 1.1, .load = 0.55, .receiverTenths = 50}},
    {"Extra 330",
     "flight-05",
     kYear / May / 2,
     14,
     {.pace = 1.0, .load = 1.04, .temperatureRise = 33}},
    {"Extra 330",
     "flight-06",
     kYear / May / 9,
     11,
     {.pace = 1.1, .load = 0.99, .temperatureRise = 34}},
    {"Wing", "w-02", kYear / May / 9, 12, {.pace = 1.6, .load = 0.75, .temperatureRise = 16}},
    {"Extra 330",
     "flight-07",
     kYear / May / 12,
     14,
     {.pace = 1.2, .temperatureRise = 35, .brownoutAt = 100}},
    {"Cub", "log-003", kYear / May / 16, 10, {.pace = 1.2, .load = 0.5, .receiverTenths = 50}},
};

constexpr int kCardRecordsPerSecond = 1;

void writeLog(const fs::path& folder, const CardLog& log) {
  trelvox::DemoFlightShape shape = log.shape;
  shape.recordsPerSecond = kCardRecordsPerSecond;
  shape.startSecondOfDay = log.startHour * 3600 + 5 * 60;
  const fs::path base = folder / log.model / log.name;
  fs::create_directories(base.parent_path());
  trelvox::demoFlight(shape).writeFiles(base.string());
  const auto written = sys_days(log.day) + hours(log.startHour + 1);
  fs::last_write_time(fs::path(base) += ".KLD",
                      fs::file_time_type::clock::from_sys(time_point_cast<seconds>(written)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_demo_card FOLDER\n";
    return 2;
  }
  try {
    for (const CardLog& log : kCard) writeLog(argv[1], log);
  } catch (const fs::filesystem_error& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  std::cout << "wrote " << std::size(kCard) << " logs to " << argv[1] << '\n';
  return 0;
}
