// The command line's further outputs as a user gets them: files, bytes, messages, exit codes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "conversion/decoder_registry.h"
#include "support/stream_bytes.h"
#include "tests/csv_table.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

CliRun run(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "trelvox");
  std::vector<const char*> argv;
  for (const std::string& a : arguments) argv.push_back(a.c_str());
  std::ostringstream out;
  std::ostringstream err;
  const int status =
      runCommandLine(static_cast<int>(argv.size()), argv.data(),
                     CommandLineDefaults{Separators{}, Language::kEnglish}, out, err);
  return {status, out.str(), err.str()};
}

// The names in a folder, temporary files included.
std::vector<std::string> filesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

LogBuilder receiverLog(int records) {
  LogBuilder log;
  for (int i = 0; i < records; ++i)
    log.record().word(0, static_cast<std::uint16_t>(0x4000 | (50 + i)));
  return log;
}

class CommandLineOutputs : public ::testing::Test {
 protected:
  void SetUp() override { receiverLog(3).writeFiles(folder / "flight"); }
  std::string path(const std::string& name) const { return (folder / name).string(); }

  TempFolder folder;
};

TEST_F(CommandLineOutputs, UnitsAddExactlyOneRowAndLeaveTheOtherBytes) {
  ASSERT_EQ(run({path("flight.KLD")}).status, 0);
  const std::string plain = readFile(folder / "flight.csv");
  ASSERT_EQ(run({"-f", "--units", path("flight.KLD")}).status, 0);
  const std::string withUnits = readFile(folder / "flight.csv");

  const std::size_t thirdRowEnd =
      plain.find("\r\n", plain.find("\r\n", plain.find("\r\n") + 2) + 2) + 2;
  const std::string unitsRow = std::string(17, ',') + "V,V,,\r\n";
  EXPECT_EQ(withUnits, plain.substr(0, thirdRowEnd) + unitsRow + plain.substr(thirdRowEnd));
}

TEST_F(CommandLineOutputs, StandardOutputGetsTheSameBytesAsTheFile) {
  ASSERT_EQ(run({path("flight.KLD")}).status, 0);
  const CliRun piped = run({"-o", "-", "--json", path("flight.KLD")});
  EXPECT_EQ(piped.status, 0);
  EXPECT_EQ(piped.out, readFile(folder / "flight.csv"));
  EXPECT_EQ(piped.err, "flight.json was generated.\n");  // every message goes to stderr
  EXPECT_EQ(run({"-o", "-", path("flight.KLD"), path("flight.KLD")}).status, 2);
}

TEST_F(CommandLineOutputs, NoCsvWritesOnlyWhatIsAskedFor) {
  const CliRun result = run({"--no-csv", "--json", "--summary", path("flight.KLD")});
  EXPECT_EQ(result.status, 0);
  EXPECT_THAT(filesIn(folder.path()),
              UnorderedElementsAre("flight.KLD", "flight.KLI", "flight.json"));
  EXPECT_THAT(result.out, ::testing::StartsWith("flight.json was generated.\nSlot 0 RECEIVER\n"));
  EXPECT_THAT(result.out,
              HasSubstr("  Lowest receiver battery voltage: 5.0 V (Slot 0 RECEIVER, BATTERY)\n"));
}

TEST_F(CommandLineOutputs, SummaryFollowsTheMessageLanguage) {
  const CliRun result = run({"--lang", "de", "--summary", path("flight.KLD")});
  EXPECT_THAT(result.out,
              ::testing::StartsWith("flight.csv wurde erzeugt\nSteckplatz 0 RECEIVER\n"));
  EXPECT_THAT(result.out, HasSubstr("  BATTERY: kleinster 5.0 V, größter 5.2 V, letzter 5.2 V\n"));
}

TEST_F(CommandLineOutputs, ExistingSideFileIsRefusedWithoutForce) {
  LogBuilder::writeFile(folder / "flight.json", {'x'});
  const CliRun refused = run({"--json", path("flight.KLD")});
  EXPECT_EQ(refused.status, 1);
  EXPECT_THAT(refused.err, HasSubstr("already exists"));
  EXPECT_EQ(readFile(folder / "flight.json"), "x");
  EXPECT_THAT(filesIn(folder.path()),
              UnorderedElementsAre("flight.KLD", "flight.KLI", "flight.json"));

  EXPECT_EQ(run({"-f", "--json", path("flight.KLD")}).status, 0);
  EXPECT_THAT(readFile(folder / "flight.json"), HasSubstr("\"records\": 3"));
}

TEST_F(CommandLineOutputs, UnwritableOutputFolderNamesThePathAndLeavesNothing) {
  LogBuilder::writeFile(folder / "not-a-folder", {});
  const std::string target = path("not-a-folder") + "/out.csv";
  const CliRun result = run({"-o", target, "--json", "--gpx", path("flight.KLD")});
  EXPECT_EQ(result.status, 1);
  EXPECT_THAT(result.err, HasSubstr("Cannot create output file. (" + target + ")"));
  EXPECT_THAT(filesIn(folder.path()),
              UnorderedElementsAre("flight.KLD", "flight.KLI", "not-a-folder"));
}

// A data file that cannot be read to its end: no file of the conversion stays, not even the CSV
// begun before the failure.
TEST_F(CommandLineOutputs, FailedConversionLeavesNoHalfWrittenFile) {
  fs::create_directory(folder / "flight.json");  // the JSON file cannot be created
  EXPECT_EQ(run({"-f", "--json", "--kml", path("flight.KLD")}).status, 1);
  EXPECT_THAT(filesIn(folder.path()),
              UnorderedElementsAre("flight.KLD", "flight.KLI", "flight.json"));
  fs::remove(folder / "flight.json");

  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  receiverLog(5000).writeFiles(folder / "long");
  const CliRun full = run({"-o", "/dev/full", "--json", path("long.KLD")});
  EXPECT_EQ(full.status, 1);
  EXPECT_THAT(filesIn(folder.path()),
              UnorderedElementsAre("flight.KLD", "flight.KLI", "long.KLD", "long.KLI"));
}

// A second program converting into the same folder at the same time has unfinished files of its
// own there. A fresh process (counting its names from 0, as every process does) leaves them alone
// rather than writing into them and giving one of them the other's name.
TEST_F(CommandLineOutputs, AnotherProcesssUnfinishedFilesAreLeftAlone) {
  std::vector<std::string> others;
  for (const std::string output : {".flight.csv.part", ".flight.json.part"}) {
    for (int i = 0; i < 4; ++i) others.push_back(output + std::to_string(i));
  }
  for (const std::string& name : others) LogBuilder::writeFile(folder / name, {'o', 't', 'h'});

  const std::string command =
      std::string(TRELVOX_BINARY) + " --json " + path("flight.KLD") + " > /dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (const std::string& name : others) EXPECT_EQ(readFile(folder / name), "oth") << name;
  EXPECT_EQ(CsvTable(readFile(folder / "flight.csv"), ',').dataRowCount(), 3u);
  EXPECT_THAT(readFile(folder / "flight.json"), HasSubstr("\"records\": 3"));
  EXPECT_EQ(filesIn(folder.path()).size(), others.size() + 4);
}

TEST_F(CommandLineOutputs, LogWithoutPositionWritesNoTrackButSucceeds) {
  const CliRun result = run({"--gpx", "--kml", path("flight.KLD")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "flight.csv was generated.\n");
  EXPECT_EQ(result.err, path("flight.KLD") + ": no position in the log, no track file written\n");
  EXPECT_FALSE(fs::exists(folder / "flight.gpx"));
  EXPECT_FALSE(fs::exists(folder / "flight.kml"));
}

// A GPS that never had a fix gives no track file, and the report must not link one.
TEST_F(CommandLineOutputs, TheReportLinksOnlyTheTrackFilesWritten) {
  for (const bool fix : {false, true}) {
    SCOPED_TRACE(fix);
    LogBuilder log;
    log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
    StreamBytes<8>()
        .field(17, 26, 48 * 600000)
        .field(44, 27, 8 * 600000)
        .flag(81, fix)
        .into(log.record(), 1);
    log.writeFiles(folder / "gps");
    ASSERT_EQ(run({"--force", "--report", "--gpx", "--kml", path("gps.KLD")}).status, 0);
    EXPECT_EQ(fs::exists(folder / "gps.gpx"), fix);
    EXPECT_EQ(fs::exists(folder / "gps.kml"), fix);
    EXPECT_THAT(readFile(folder / "gps.html"),
                HasSubstr(fix ? "\"links\":[{\"label\":\"GPX\",\"file\":\"gps.gpx\"},"
                                "{\"label\":\"KML\",\"file\":\"gps.kml\"}]"
                              : "\"links\":[]"));
  }
}

TEST_F(CommandLineOutputs, LogbookOfTwoLogsAndAFolder) {
  fs::create_directories(folder / "card" / "day2");
  receiverLog(2).writeFiles(folder / "card" / "b");
  receiverLog(4).writeFiles(folder / "card" / "a");
  receiverLog(1).writeFiles(folder / "card" / "day2" / "c");
  receiverLog(6).writeFiles(folder / "second, \"best\"");

  const CliRun result = run({"--no-csv", "--date", "2024-05-01", "--logbook", path("book.csv"),
                             path("flight.KLD"), path("second, \"best\".KLD"), path("card")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "book.csv was generated.\n");
  const std::string tail = ",,,\r\n";
  EXPECT_EQ(readFile(folder / "book.csv"),
            "data_file,date,start_time_utc,duration,records,max_height_m,max_distance_m,"
            "max_ground_speed_kmh,min_receiver_voltage_v,max_current_a,capacity_used_mah,"
            "max_temperature_c\r\n" +
                path("flight.KLD") + ",2024-05-01,,0:00:00.2,3,,,,5" + tail + "\"" +
                path("second, \"\"best\"\".KLD") + "\",2024-05-01,,0:00:00.5,6,,,,5" + tail +
                path("card") + "/a.KLD,2024-05-01,,0:00:00.3,4,,,,5" + tail + path("card") +
                "/b.KLD,2024-05-01,,0:00:00.1,2,,,,5" + tail);

  // Subfolders with -r; an existing logbook needs -f.
  EXPECT_EQ(run({"--no-csv", "-r", "--logbook", path("book.csv"), path("card")}).status, 1);
  EXPECT_EQ(run({"-f", "--no-csv", "-r", "--logbook", path("book.csv"), path("card")}).status, 0);
  EXPECT_THAT(readFile(folder / "book.csv"), HasSubstr("/day2/c.KLD,"));
}

// Even with --force, no output may replace one of the logs it comes from, nor another output of
// the same call: one of the two would be lost while both were reported as written.
TEST_F(CommandLineOutputs, AnOutputNamedLikeAnInputOrAnotherOutputIsRefused) {
  const std::string kld = readFile(folder / "flight.KLD");
  const std::string kli = readFile(folder / "flight.KLI");
  const struct {
    std::vector<std::string> arguments;
    std::string why;
  } cases[] = {
      {{"--logbook", path("flight.KLD")}, path("flight.KLD") + " is one of the log's own files"},
      {{"--logbook", path("flight.KLI")}, path("flight.KLI") + " is one of the log's own files"},
      {{"--logbook", path("flight.csv")}, path("flight.csv") + " would be written twice"},
      {{"--json", "--logbook", path("./flight.json")},
       path("./flight.json") + " would be written twice"},
      {{"-o", path("out.gpx"), "--gpx"}, path("out.gpx") + " would be written twice"},
      {{"-o", path("out.html"), "--report"}, path("out.html") + " would be written twice"},
      {{"--logbook", path("missing/book.csv")}, path("missing/book.csv")},
  };
  for (const auto& [arguments, why] : cases) {
    std::vector<std::string> all{"-f"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    all.push_back(path("flight.KLD"));
    const CliRun result = run(all);
    EXPECT_EQ(result.status, 1) << why;
    EXPECT_THAT(result.err, HasSubstr("Cannot create output file. (" + why + ")"));
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readFile(folder / "flight.KLD"), kld) << why;
    EXPECT_EQ(readFile(folder / "flight.KLI"), kli) << why;
    EXPECT_THAT(filesIn(folder.path()), UnorderedElementsAre("flight.KLD", "flight.KLI")) << why;
  }

  // Without a CSV, the logbook may take the CSV's name.
  const CliRun alone = run({"--no-csv", "--logbook", path("flight.csv"), path("flight.KLD")});
  EXPECT_EQ(alone.status, 0);
  EXPECT_THAT(readFile(folder / "flight.csv"), ::testing::StartsWith("data_file,date,"));
}

// "trelvox *" names a log by its KLI as well, and a folder may hold a log named on its own too:
// the log is converted once, not refused as its own existing output or listed twice.
TEST_F(CommandLineOutputs, ALogNamedSeveralWaysIsConvertedOnce) {
  for (const std::string jobs : {"1", "4"}) {
    const CliRun result = run({"-j", jobs, "--logbook", path("book.csv"), path("flight.KLD"),
                               path("flight.KLI"), path("./flight.KLD"), folder.path().string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "flight.csv was generated.\nbook.csv was generated.\n");
    const std::string book = readFile(folder / "book.csv");
    EXPECT_EQ(std::count(book.begin(), book.end(), '\n'), 2) << book;
    fs::remove(folder / "flight.csv");
    fs::remove(folder / "book.csv");
  }
}

// The logbook's first column names the data file however the log was named, as the JSON file does.
TEST_F(CommandLineOutputs, TheLogbookNamesTheDataFileOfALogNamedOtherwise) {
  for (const std::string name : {"flight.KLI", "flight"}) {
    const CliRun result = run({"--no-csv", "--date", "2024-05-01", "--logbook", "-", path(name)});
    EXPECT_EQ(result.status, 0) << name;
    EXPECT_THAT(result.out, ::testing::EndsWith("\r\n" + path("flight.KLD") +
                                                ",2024-05-01,,0:00:00.2,3,,,,5,,,\r\n"))
        << name;
  }
}

// A folder that gives no log fails as a missing log does, rather than succeeding in silence.
TEST_F(CommandLineOutputs, AFolderWithoutLogsIsAFailure) {
  fs::create_directories(folder / "empty");
  fs::create_directories(folder / "named.KLD");
  fs::create_directories(folder / "card" / "day1");
  receiverLog(2).writeFiles(folder / "card" / "day1" / "a");
  for (const std::string name : {"empty", "named.KLD", "card"}) {
    const CliRun result = run({"-f", path(name), path("flight.KLD")});
    EXPECT_EQ(result.status, 1) << name;
    EXPECT_EQ(result.err, path(name) + ": a folder without any log (.KLD file)\n");
    EXPECT_EQ(result.out, "flight.csv was generated.\n");
  }
  EXPECT_EQ(run({"-r", path("card")}).status, 0);
}

TEST_F(CommandLineOutputs, LogbookToStandardOutput) {
  const std::string row = path("flight.KLD") + ",2024-05-01,,0:00:00.2,3,,,,5,,,\r\n";
  const CliRun alone =
      run({"--no-csv", "--date", "2024-05-01", "--logbook", "-", path("flight.KLD")});
  EXPECT_EQ(alone.status, 0);
  EXPECT_THAT(alone.out, ::testing::StartsWith("data_file,date,start_time_utc,"));
  EXPECT_THAT(alone.out, ::testing::EndsWith("\r\n" + row));
  EXPECT_EQ(alone.err, "");
  EXPECT_THAT(filesIn(folder.path()), UnorderedElementsAre("flight.KLD", "flight.KLI"));

  // The names of the files written go to standard error, as with -o -.
  const CliRun withCsv = run({"--date", "2024-05-01", "--logbook", "-", path("flight.KLD")});
  EXPECT_EQ(withCsv.status, 0);
  EXPECT_EQ(withCsv.out, alone.out);
  EXPECT_EQ(withCsv.err, "flight.csv was generated.\n");
}

// What goes to standard output (the CSV, the logbook, the names of the files written) may not be
// lost in silence.
TEST_F(CommandLineOutputs, StandardOutputThatCannotBeWrittenIsAFailure) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"-f", path("flight.KLD")},
           {"-f", "-o", "-", path("flight.KLD")},
           {"-f", "--no-csv", "--logbook", "-", path("flight.KLD")},
       }) {
    std::vector<const char*> argv{"trelvox"};
    for (const std::string& a : arguments) argv.push_back(a.c_str());
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    std::ostringstream err;
    const int status =
        runCommandLine(static_cast<int>(argv.size()), argv.data(),
                       CommandLineDefaults{Separators{}, Language::kEnglish}, out, err);
    EXPECT_EQ(status, 1) << ::testing::PrintToString(arguments);
    EXPECT_THAT(err.str(), HasSubstr("standard output"));
  }

  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const std::string command =
      std::string(TRELVOX_BINARY) + " -f " + path("flight.KLD") + " > /dev/full 2>/dev/null";
  EXPECT_NE(std::system(command.c_str()), 0);
}

TEST_F(CommandLineOutputs, ParallelJobsReportInInputOrder) {
  std::vector<std::string> arguments{"-j", "3"};
  std::string expected;
  for (int i = 0; i < 12; ++i) {
    const std::string name = "log" + std::to_string(i);
    receiverLog(200 * (12 - i)).writeFiles(folder / name);
    arguments.push_back(path(name + ".KLD"));
    expected += name + ".csv was generated.\n";
  }
  arguments.push_back(path("missing.KLD"));
  const CliRun result = run(arguments);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, expected);
  EXPECT_THAT(result.err, HasSubstr("missing.KLD: Infotmation file(.KLI) not found."));
}

TEST_F(CommandLineOutputs, NamesFromTheFileSystemAreEscaped) {
  for (const std::string name : {"a&b <\"x\">", "フライト"}) {
    for (const char* extension : {".KLD", ".KLI"}) {
      fs::copy_file(fs::path(TRELVOX_SOURCE_DIR) / "examples" / (std::string("demo") + extension),
                    folder / (name + extension));
    }
    ASSERT_EQ(run({"--no-csv", "--json", "--gpx", "--kml", path(name + ".KLD")}).status, 0) << name;
    const auto document = nlohmann::json::parse(readFile(folder / (name + ".json")));
    EXPECT_EQ(document["data_file"], name + ".KLD");
    for (const char* extension : {".gpx", ".kml"}) {
      const std::string file = path(name + extension);
      if (std::system("command -v xmllint > /dev/null") != 0) GTEST_SKIP() << "no xmllint";
      EXPECT_EQ(std::system(("xmllint --noout '" + file + "'").c_str()), 0) << file;
      const std::string expectedName =
          std::string(name) == "フライト" ? "フライト.KLD" : "a&amp;b &lt;&quot;x&quot;&gt;.KLD";
      EXPECT_THAT(readFile(file), HasSubstr("<name>" + expectedName + "</name>"));
    }
  }
}

TEST_F(CommandLineOutputs, UsageErrors) {
  const struct {
    std::vector<std::string> arguments;
    std::string message;
  } cases[] = {
      {{"--date", "2024-13-01"}, "--date: must be a date as YYYY-MM-DD\n"},
      {{"--date", "1.5.2024"}, "--date: must be a date as YYYY-MM-DD\n"},
      // The track times' calendar has no year 0: gpsbabel drops every time of such a track.
      {{"--date", "0000-01-01"}, "--date: must be a date as YYYY-MM-DD\n"},
      // An empty name (an unset variable in a script) asks for a file all the same.
      {{"--logbook", ""}, "--logbook: must name a file\n"},
      {{"-o", ""}, "--output: must name a file\n"},
      {{"-j", "0"}, "--jobs: must be a whole number of at least 1\n"},
      {{"-j", "2x"}, "--jobs: must be a whole number of at least 1\n"},
      {{"-j", "99999999999"}, "--jobs: is too large\n"},
      {{"--no-csv", "-o", path("x.csv")}, "--output: cannot go with --no-csv\n"},
      {{"-o", "-", "--logbook", "-"}, "--logbook: cannot go to standard output with the CSV\n"},
      {{"--no-csv"}, "--no-csv: needs --json, --gpx, --kml, --report, --summary or --logbook"},
      {{"--no-csv", "--units"}, "--no-csv: needs --json,"},
  };
  for (auto [arguments, message] : cases) {
    arguments.push_back(path("flight.KLD"));
    const CliRun result = run(arguments);
    EXPECT_EQ(result.status, 2) << ::testing::PrintToString(arguments);
    EXPECT_THAT(result.err, ::testing::StartsWith(message));
  }
}

}  // namespace
}  // namespace trelvox
