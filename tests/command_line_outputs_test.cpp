// The command line's further outputs as a user gets them: files, bytes, messages, exit codes.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/cli/command_line.h"
#include "conversion/decoder_registry.h"
#include "support/stream_bytes.h"
#include "tests/cli_run.h"
#include "tests/csv_table.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

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

TEST_F(CommandLineOutputs, UnitsAddOneRowAndAByteOrderMarkAndLeaveTheOtherBytes) {
  ASSERT_EQ(run({path("flight.KLD")}).status, 0);
  const std::string plain = readFile(folder / "flight.csv");
  ASSERT_EQ(run({"-f", "--units", path("flight.KLD")}).status, 0);
  const std::string withUnits = readFile(folder / "flight.csv");

  const std::size_t thirdRowEnd =
      plain.find("\r\n", plain.find("\r\n", plain.find("\r\n") + 2) + 2) + 2;
  const std::string unitsRow = "ms" + std::string(17, ',') + "V,V,,\r\n";
  EXPECT_EQ(withUnits,
            "\xEF\xBB\xBF" + plain.substr(0, thirdRowEnd) + unitsRow + plain.substr(thirdRowEnd));
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

// The system's reason comes in the user's language, as the system words it under the locale.
TEST_F(CommandLineOutputs, TheSystemsReasonFollowsTheLocale) {
  LogBuilder::writeFile(folder / "not-a-folder", {});
  const std::string command = "LC_ALL=de_DE.UTF-8 " + std::string(TRELVOX_BINARY) + " -o '" +
                              path("not-a-folder") + "/out.csv' '" + path("flight.KLD") + "' 2> " +
                              path("err");
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  const std::string err = readFile(folder / "err");
  if (err.find("Not a directory") != std::string::npos) {
    GTEST_SKIP() << "no German locale or no German system messages here";
  }
  EXPECT_THAT(err, HasSubstr("Ausgabedatei kann nicht erstellt werden (" + path("not-a-folder") +
                             "/out.csv: Ist kein Verzeichnis)\n"));
}

// An output name that is a symbolic link keeps the link: the file it leads to is written, through
// a temporary file beside that one, whether the name is given with -o or is NAME.csv beside the
// log.
TEST_F(CommandLineOutputs, WritingThroughALinkKeepsTheLink) {
  ASSERT_EQ(run({"-o", path("plain.csv"), path("flight.KLD")}).status, 0);
  const std::string csv = readFile(folder / "plain.csv");
  fs::create_directory(folder / "target");
  LogBuilder::writeFile(folder / "target" / "old.csv", {'x'});
  fs::create_symlink("target/old.csv", folder / "link.csv");
  fs::create_symlink(folder / "target" / "beside.csv", folder / "flight.csv");  // not there yet

  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"-f", "-o", path("link.csv"), path("flight.KLD")},
        std::vector<std::string>{"-f", path("flight.KLD")}}) {
    const CliRun result = run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
  }
  EXPECT_TRUE(fs::is_symlink(folder / "link.csv"));
  EXPECT_TRUE(fs::is_symlink(folder / "flight.csv"));
  EXPECT_EQ(readFile(folder / "target" / "old.csv"), csv);
  EXPECT_EQ(readFile(folder / "target" / "beside.csv"), csv);
  EXPECT_THAT(filesIn(folder / "target"), UnorderedElementsAre("old.csv", "beside.csv"));
  EXPECT_THAT(filesIn(folder.path()), UnorderedElementsAre("flight.KLD", "flight.KLI", "plain.csv",
                                                           "target", "link.csv", "flight.csv"));
}

// A link whose target's folder is missing fails with the name the user gave and the reason, and
// leaves the link as it was.
TEST_F(CommandLineOutputs, ALinkIntoAMissingFolderFailsNamingThePath) {
  fs::create_symlink("missing/out.csv", folder / "link.csv");
  const CliRun result = run({"-o", path("link.csv"), path("flight.KLD")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, path("flight.KLD") + ": Cannot create output file. (" + path("link.csv") +
                            ": No such file or directory)\n");
  EXPECT_EQ(fs::read_symlink(folder / "link.csv"), "missing/out.csv");
  EXPECT_THAT(filesIn(folder.path()), UnorderedElementsAre("flight.KLD", "flight.KLI", "link.csv"));
}

TEST_F(CommandLineOutputs, UnwritableOutputFolderNamesThePathAndTheReasonAndLeavesNothing) {
  LogBuilder::writeFile(folder / "not-a-folder", {});
  const std::string target = path("not-a-folder") + "/out.csv";
  const CliRun result = run({"-o", target, "--json", "--gpx", path("flight.KLD")});
  EXPECT_EQ(result.status, 1);
  EXPECT_THAT(result.err,
              HasSubstr("Cannot create output file. (" + target + ": Not a directory)\n"));
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
    EXPECT_THAT(
        readFile(folder / "gps.html"),
        HasSubstr(fix ? "\"links\":[{\"label\":\"GPX\",\"file\":\"gps.gpx\",\"href\":\"gps.gpx\"},"
                        "{\"label\":\"KML\",\"file\":\"gps.kml\",\"href\":\"gps.kml\"}]"
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
  const std::string tail = ",,,,,";
  // The model is the log's folder; a receiver alone tells no flights.
  const std::string top = "," + folder.path().filename().string() + ",,\r\n";
  EXPECT_EQ(readFile(folder / "book.csv"),
            "data_file,date,start_time_utc,duration,records,max_height_m,max_distance_m,"
            "max_ground_speed_kmh,min_receiver_voltage_v,max_current_a,capacity_used_mah,"
            "max_temperature_c,start_iso,duration_s,date_source,health,events,model,flights,"
            "air_time_s\r\n" +
                path("flight.KLD") + ",2024-05-01,,0:00:00.2,3,,,,5" + tail + "0.2,option,green,0" +
                top + "\"" + path("second, \"\"best\"\".KLD") + "\",2024-05-01,,0:00:00.5,6,,,,5" +
                tail + "0.5,option,green,0" + top + path("card") +
                "/a.KLD,2024-05-01,,0:00:00.3,4,,,,5" + tail + "0.3,option,green,0,card,,\r\n" +
                path("card") + "/b.KLD,2024-05-01,,0:00:00.1,2,,,,5" + tail +
                "0.1,option,green,0,card,,\r\n");

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
      {{"--logbook", folder.path().string()}, folder.path().string()},
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
    EXPECT_THAT(result.out,
                ::testing::EndsWith("\r\n" + path("flight.KLD") +
                                    ",2024-05-01,,0:00:00.2,3,,,,5,,,,,0.2,option,green,0," +
                                    folder.path().filename().string() + ",,\r\n"))
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

// -r goes into subfolders but not through links to folders: a card with a link back to itself (or
// to a folder also searched) converts each log once and ends.
TEST_F(CommandLineOutputs, RecursionSkipsLinksToFolders) {
  fs::create_directories(folder / "card" / "day1");
  receiverLog(2).writeFiles(folder / "card" / "day1" / "a");
  fs::create_directory_symlink(folder / "card", folder / "card" / "day1" / "back");
  fs::create_directory_symlink(folder / "card" / "day1", folder / "card" / "again");
  const CliRun result = run({"-r", path("card")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "a.csv was generated.\n");
}

// The note of a folder without logs stands among the failures of the logs where the folder stands
// among the arguments, not above all of them.
TEST_F(CommandLineOutputs, AFolderWithoutLogsIsNotedInArgumentOrder) {
  fs::create_directories(folder / "empty");
  fs::create_directories(folder / "bare");
  const std::string missing =
      path("missing.KLD") + ": Infotmation file(.KLI) not found. (" + path("missing.KLI") + ")\n";
  const std::string noLog = ": a folder without any log (.KLD file)\n";
  for (const std::string jobs : {"1", "3"}) {
    const CliRun result = run({"-f", "-j", jobs, path("missing.KLD"), path("empty"),
                               path("flight.KLD"), path("missing.KLD"), path("bare")});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, missing + path("empty") + noLog + path("bare") + noLog) << jobs;
    EXPECT_EQ(result.out, "flight.csv was generated.\n");
  }
  const CliRun first = run({"-f", path("empty"), path("missing.KLD")});
  EXPECT_EQ(first.err, path("empty") + noLog + missing);
}

// A subfolder that cannot be read (a card's system folder) fails the run with its reason, and the
// logs of the other subfolders are still converted: the search had stopped there in silence, so
// that whichever folders the system listed after it were left out of a run that exited with 0.
TEST_F(CommandLineOutputs, AnUnreadableSubfolderIsAFailureAndTheOthersAreSearched) {
  // Root reads any folder: the run is made as nobody.
  const bool root = geteuid() == 0;
  if (root && std::system("command -v setpriv > /dev/null") != 0) GTEST_SKIP() << "no setpriv";
  const fs::path card = folder / "card";
  std::string rows;
  for (const std::string name : {"a", "b", "m", "y", "z"}) {
    fs::create_directories(card / name);
    if (name == "m") continue;
    receiverLog(3).writeFiles(card / name / "f");
    rows += (card / name / "f.KLD").string() +
            ",2024-05-01,,0:00:00.2,3,,,,5,,,,,0.2,option,green,0," + name + ",,\r\n";
  }
  fs::permissions(card / "m", fs::perms::none);
  const std::string command = std::string("LC_ALL=C ") +
                              (root ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "") +
                              TRELVOX_BINARY + " -r --no-csv --date 2024-05-01 --logbook - '" +
                              card.string() + "' > " + path("out") + " 2> " + path("err");
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  EXPECT_THAT(readFile(folder / "out"), ::testing::EndsWith("air_time_s\r\n" + rows));
  EXPECT_EQ(readFile(folder / "err"),
            (card / "m").string() + ": Cannot read file. (Permission denied)\n");
}

// A system that gives no more threads (a container's task limit) still converts every log: -j makes
// do with the threads it gets, and a log of typical length needs none of its own. The run had once
// ended by abort, its hidden files left behind. Every file is reported as written, and no hidden
// unfinished one is left.
TEST_F(CommandLineOutputs, NoMoreThreadsStillConvertsEveryLog) {
  // A limit on a user's processes binds only users other than root, and counts all their
  // processes: the run is made as a user id no one else has.
  if (geteuid() != 0 || std::system("command -v setpriv prlimit > /dev/null") != 0) {
    GTEST_SKIP() << "needs root, setpriv and prlimit";
  }
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizers' own threads count against the limit too";
#endif
  const fs::path logs = folder / "logs";
  fs::create_directories(logs);
  fs::permissions(logs, fs::perms::all);
  for (int i = 0; i < 8; ++i) {
    for (const std::string extension : {".KLD", ".KLI"}) {
      fs::copy_file(fs::path(TRELVOX_SOURCE_DIR) / "examples" / ("demo" + extension),
                    logs / ("log" + std::to_string(i) + extension));
    }
  }
  // From none of the threads a log needs to some of them.
  for (const std::string limit : {"3", "8", "10", "12", "16"}) {
    SCOPED_TRACE(limit);
    for (const std::string& name : filesIn(logs)) {
      if (!name.ends_with(".KLD") && !name.ends_with(".KLI")) fs::remove(logs / name);
    }
    const std::string command = "LC_ALL=C prlimit --nproc=" + limit +
                                " setpriv --reuid=48213 --regid=48213 --clear-groups " +
                                TRELVOX_BINARY + " -j 8 --json --gpx --kml --report '" +
                                logs.string() + "' > " + path("out") + " 2> " + path("err");
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(readFile(folder / "err"), "");
    std::string written = "\n";  // before the first name too
    written += readFile(folder / "out");
    std::size_t outputs = 0;
    for (const std::string& name : filesIn(logs)) {
      if (name.ends_with(".KLD") || name.ends_with(".KLI")) continue;
      EXPECT_FALSE(name.starts_with(".")) << name;
      EXPECT_THAT(written, HasSubstr("\n" + name + " was generated.\n")) << name;
      ++outputs;
    }
    EXPECT_EQ(outputs, 8u * 5u);  // each log's CSV, JSON, GPX, KML and page
  }
}

// Logs converted at once whose files would not all fit within the open-file limit (256 on macOS)
// are converted fewer at a time: some of them had failed at random, "Cannot create output file".
TEST_F(CommandLineOutputs, ManyJobsStayWithinTheOpenFileLimit) {
  if (std::system("command -v prlimit > /dev/null") != 0) GTEST_SKIP() << "no prlimit";
  const fs::path logs = folder / "logs";
  fs::create_directories(logs);
  std::string rows;
  for (int i = 10; i < 26; ++i) {
    receiverLog(3).writeFiles(logs / ("log" + std::to_string(i)));
    rows += (logs / ("log" + std::to_string(i) + ".KLD")).string() +
            ",2024-05-01,,0:00:00.2,3,,,,5,,,,,0.2,option,green,0,logs,,\r\n";
  }
  const std::string command = "LC_ALL=C prlimit --nofile=32 " + std::string(TRELVOX_BINARY) +
                              " -j 16 --json --gpx --kml --report --date 2024-05-01 --logbook - '" +
                              logs.string() + "' > " + path("out") + " 2> " + path("err");
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_THAT(readFile(folder / "out"), ::testing::EndsWith("air_time_s\r\n" + rows));
  EXPECT_THAT(readFile(folder / "err"), ::testing::Not(HasSubstr("Cannot")));
}

TEST_F(CommandLineOutputs, LogbookToStandardOutput) {
  const std::string row = path("flight.KLD") +
                          ",2024-05-01,,0:00:00.2,3,,,,5,,,,,0.2,option,green,0," +
                          folder.path().filename().string() + ",,\r\n";
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

// A name near the 255 bytes a file system allows still converts: the hidden name a file is
// written under, longer than the file's own, had been refused ("Cannot create output file.").
TEST_F(CommandLineOutputs, NamesNearTheLongestAllowedConvert) {
  std::string japanese;
  for (int i = 0; i < 80; ++i) japanese += "フ";  // 240 bytes, three to a character
  const struct {
    std::string name;
    std::vector<std::string> options;
    std::vector<std::string> written;
  } cases[] = {
      {std::string(251, 'a'), {}, {".csv"}},
      {japanese, {"--json", "--kml"}, {".csv", ".json", ".kml"}},
  };
  for (auto [name, arguments, written] : cases) {
    TempFolder place;
    std::vector<std::string> expected;
    for (const char* extension : {".KLD", ".KLI"}) {
      fs::copy_file(fs::path(TRELVOX_SOURCE_DIR) / "examples" / (std::string("demo") + extension),
                    place / (name + extension));
      expected.push_back(name + extension);
    }
    for (const std::string& extension : written) expected.push_back(name + extension);
    arguments.push_back((place / (name + ".KLD")).string());
    const CliRun result = run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_THAT(filesIn(place.path()), ::testing::UnorderedElementsAreArray(expected));
    EXPECT_EQ(CsvTable(readFile(place / (name + ".csv")), ',').dataRowCount(), 2400u);
  }
}

// Starts `command` under /bin/sh, which execs the program: the process is the program's. The stop
// signals start at their defaults and unblocked, whatever this process inherited (a job in the
// background of a script ignores Ctrl+C).
pid_t startShell(const std::string& command) {
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t stops;
  sigemptyset(&stops);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stops, signal);
  posix_spawnattr_setsigdefault(&attributes, &stops);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
  pid_t pid = -1;
  const int error =
      posix_spawn(&pid, "/bin/sh", nullptr, &attributes, const_cast<char* const*>(argv), environ);
  posix_spawnattr_destroy(&attributes);
  return error == 0 ? pid : -1;
}

// Whether `condition` holds within ten seconds.
template <typename Condition>
bool soon(Condition condition) {
  for (int tries = 0; tries < 1000; ++tries) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Ctrl+C, a kill or a closed terminal stop a run without leaving the hidden files it had begun (a
// long log's CSV runs to gigabytes), and the run ends by that signal; a signal the caller ignores
// (nohup) does not stop it. The data file is a pipe, so the run is surely under way when stopped.
TEST_F(CommandLineOutputs, AStoppedRunLeavesNoUnfinishedFile) {
  const LogBuilder log = receiverLog(50);
  const std::vector<std::uint8_t> records = log.dataBytes();
  const struct {
    int signal;
    std::string shellFirst;
    bool stops;
  } cases[] = {
      {SIGINT, "", true},
      {SIGTERM, "", true},
      {SIGHUP, "", true},
      {SIGHUP, "trap '' HUP; ", false},
  };
  for (const auto& [signal, shellFirst, stops] : cases) {
    SCOPED_TRACE(shellFirst + strsignal(signal));
    TempFolder place;
    const fs::path data = place / "flight.KLD";
    LogBuilder::writeFile(place / "flight.KLI", log.infoBytes());
    ASSERT_EQ(mkfifo(data.c_str(), 0600), 0);
    const pid_t pid = startShell(shellFirst + "exec " + TRELVOX_BINARY + " --json --gpx --kml '" +
                                 data.string() + "' > /dev/null 2>&1");
    ASSERT_GT(pid, 0);
    int pipe = -1;
    const auto begun = [&] {
      const auto names = filesIn(place.path());
      return std::count_if(names.begin(), names.end(), [](const std::string& name) {
               return name.find(".part") != std::string::npos;
             }) >= 4;
    };
    if (!soon([&] { return (pipe = open(data.c_str(), O_WRONLY | O_NONBLOCK)) >= 0; }) ||
        !soon(begun)) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      FAIL() << "the run did not begin its files";
    }
    ASSERT_EQ(write(pipe, records.data(), records.size()), static_cast<ssize_t>(records.size()));
    kill(pid, signal);
    // Time for a signal that is not ignored to act before the data file ends.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    close(pipe);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    if (stops) {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
      EXPECT_THAT(filesIn(place.path()), UnorderedElementsAre("flight.KLD", "flight.KLI"));
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
      EXPECT_EQ(CsvTable(readFile(place / "flight.csv"), ',').dataRowCount(), 50u);
      EXPECT_THAT(filesIn(place.path()),
                  UnorderedElementsAre("flight.KLD", "flight.KLI", "flight.csv", "flight.json"));
    }
  }
}

// A reader that stops early (`| head`) fails the run as any failed write does: the files it had
// begun go, and the exit status says so.
// A reader that has had enough (`| head`) ends the output quietly, as tools in a pipe do, so that
// scripts under pipefail go on; what the log had begun besides is not renamed into place.
TEST_F(CommandLineOutputs, AReaderThatStopsEarlyEndsQuietlyAndLeavesNoUnfinishedFile) {
  TempFolder place;
  receiverLog(20000).writeFiles(place / "flight");  // megabytes of CSV, far more than a pipe holds
  for (const std::string options : {"-o - --json", "-o - --flat"}) {
    const fs::path errors = place / "errors.txt";
    const std::string command = "bash -c \"set -o pipefail; " + std::string(TRELVOX_BINARY) + " " +
                                options + " '" + (place / "flight.KLD").string() + "' 2>'" +
                                errors.string() + "' | head -n 1 > /dev/null\"";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << options << ": " << status;
    EXPECT_EQ(readFile(errors), "") << options;
    fs::remove(errors);
    EXPECT_THAT(filesIn(place.path()), UnorderedElementsAre("flight.KLD", "flight.KLI")) << options;
  }
}

// Standard output whose reader has gone: every write fails as a closed pipe does.
class ClosedPipe final : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return closed(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return closed(); }

 private:
  static int closed() {
    errno = EPIPE;
    return -1;
  }
};

TEST_F(CommandLineOutputs, AClosedPipeEndsEachStandardOutputQuietly) {
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {"-f", "-o", "-", "--json", path("flight.KLD")},
           {"-f", "--no-csv", "--logbook", "-", path("flight.KLD")},
       }) {
    std::vector<const char*> argv{"trelvox"};
    for (const std::string& a : arguments) argv.push_back(a.c_str());
    ClosedPipe pipe;
    std::ostream out(&pipe);
    std::ostringstream err;
    const int status =
        runCommandLine(static_cast<int>(argv.size()), argv.data(),
                       CommandLineDefaults{Separators{}, Language::kEnglish}, out, err);
    EXPECT_EQ(status, 0) << ::testing::PrintToString(arguments);
    EXPECT_EQ(err.str(), "") << ::testing::PrintToString(arguments);
  }
  // The JSON of the log whose CSV was cut short is not renamed into place.
  EXPECT_FALSE(fs::exists(folder / "flight.json"));
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

// A name that is not UTF-8 (bytes a Linux file system allows) reads as U+FFFD in each file, as the
// JSON has it: raw, it made the GPX and KML files XML that no reader opens.
TEST_F(CommandLineOutputs, NamesFromTheFileSystemAreEscaped) {
  const std::string replaced = "\xEF\xBF\xBD";
  const struct {
    std::string name;
    std::string inJson;
    std::string inXml;
  } cases[] = {
      {"a&b <\"x\">", "a&b <\"x\">", "a&amp;b &lt;&quot;x&quot;&gt;"},
      {"フライト", "フライト", "フライト"},
      {"bad\xFF\xFEname", "bad" + replaced + replaced + "name",
       "bad" + replaced + replaced + "name"},
      // A character cut short is one U+FFFD, as in the JSON.
      {"cut\xE3\x83", "cut" + replaced, "cut" + replaced},
      // JSON takes U+FFFF; XML has no such character.
      {"end\xEF\xBF\xBF", "end\xEF\xBF\xBF", "end" + replaced},
  };
  for (const auto& [name, inJson, inXml] : cases) {
    for (const char* extension : {".KLD", ".KLI"}) {
      fs::copy_file(fs::path(TRELVOX_SOURCE_DIR) / "examples" / (std::string("demo") + extension),
                    folder / (name + extension));
    }
    ASSERT_EQ(run({"--no-csv", "--json", "--gpx", "--kml", path(name + ".KLD")}).status, 0) << name;
    const auto document = nlohmann::json::parse(readFile(folder / (name + ".json")));
    EXPECT_EQ(document["data_file"], inJson + ".KLD");
    for (const char* extension : {".gpx", ".kml"}) {
      const std::string file = path(name + extension);
      EXPECT_NE(readFile(file).find("<name>" + inXml + ".KLD</name>"), std::string::npos) << file;
      if (std::system("command -v xmllint > /dev/null") != 0) GTEST_SKIP() << "no xmllint";
      EXPECT_EQ(std::system(("xmllint --noout '" + file + "'").c_str()), 0) << file;
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
      {{"--no-csv"},
       "--no-csv: needs --json, --gpx, --kml, --report, --summary, --logbook or --logbook-page"},
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
