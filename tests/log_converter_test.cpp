#include "conversion/log_converter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "conversion/log_files.h"
#include "conversion/telemetry_log_exception.h"
#include "tests/csv_table.h"
#include "tests/string_sink.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;

// Converts BASE.KLI/BASE.KLD into `output`; returns the message of the failure, if any.
std::optional<MessageId> convertFiles(
    const fs::path& base, const fs::path& output,
    LogConverter::ExistingOutput existing = LogConverter::ExistingOutput::kReplace) {
  try {
    LogConverter converter(Separators{});
    converter.open(base, output, existing);
    converter.convert();
    return std::nullopt;
  } catch (const TelemetryLogException& e) {
    return e.messageId();
  }
}

LogBuilder twoRecordLog() {
  LogBuilder log;
  log.record().word(0, 0x4000 | 74);
  log.record();
  return log;
}

class LogConverterFiles : public ::testing::Test {
 protected:
  TempFolder folder;
  fs::path base = folder / "flight01";
  fs::path output = folder / "flight01.csv";
};

TEST_F(LogConverterFiles, ConvertsALogPairIntoTheCsvFile) {
  twoRecordLog().writeFiles(base);
  EXPECT_EQ(convertFiles(base, output), std::nullopt);
  const std::string csv = readFile(output);
  EXPECT_EQ(csv, convert(twoRecordLog()).text());
}

TEST_F(LogConverterFiles, MissingInformationFileCreatesNoOutput) {
  twoRecordLog().writeFiles(base);
  fs::remove(fs::path(base) += ".KLI");
  EXPECT_EQ(convertFiles(base, output), MessageId::kInfoFileNotFound);
  EXPECT_FALSE(fs::exists(output));
}

TEST_F(LogConverterFiles, MissingOrUnreadableDataFileCreatesNoOutput) {
  twoRecordLog().writeFiles(base);
  fs::remove(fs::path(base) += ".KLD");
  EXPECT_EQ(convertFiles(base, output), MessageId::kCannotReadFile);
  EXPECT_FALSE(fs::exists(output));

  fs::create_directory(fs::path(base) += ".KLD");  // opens on some systems, never reads
  EXPECT_EQ(convertFiles(base, output), MessageId::kCannotReadFile);
  EXPECT_FALSE(fs::exists(output));
}

// The system's reason comes with the failure, for the shells to put into words.
TEST_F(LogConverterFiles, AFileThatCannotBeReadOrWrittenCarriesTheSystemsReason) {
  twoRecordLog().writeFiles(base);
  LogBuilder::writeFile(folder / "plain-file", {});
  const struct {
    fs::path log;
    fs::path output;
    std::errc reason;
  } cases[] = {
      {base, folder / "plain-file" / "out.csv", std::errc::not_a_directory},
      {base, folder / "missing-folder" / "out.csv", std::errc::no_such_file_or_directory},
      {folder / "missing.KLD", output, std::errc::no_such_file_or_directory},
  };
  fs::copy_file(fs::path(base) += ".KLI", folder / "missing.KLI");
  for (const auto& c : cases) {
    try {
      LogConverter converter(Separators{});
      converter.open(c.log, c.output);
      ADD_FAILURE() << c.output;
    } catch (const TelemetryLogException& e) {
      EXPECT_EQ(e.reason(), c.reason) << e.what();
    }
  }
  fs::create_directory(folder / "folder.KLD");
  fs::copy_file(fs::path(base) += ".KLI", folder / "folder.KLI");
  try {
    LogConverter converter(Separators{});
    converter.open(folder / "folder.KLD", output);
    ADD_FAILURE() << "a folder was read as a data file";
  } catch (const TelemetryLogException& e) {
    EXPECT_EQ(e.messageId(), MessageId::kCannotReadFile);
    EXPECT_EQ(e.reason(), std::errc::is_a_directory);
  }
}

TEST_F(LogConverterFiles, OutputThatCannotBeCreatedFails) {
  twoRecordLog().writeFiles(base);
  EXPECT_EQ(convertFiles(base, folder / "missing-folder" / "out.csv"),
            MessageId::kCannotCreateOutput);
  LogBuilder::writeFile(folder / "plain-file", {});
  EXPECT_EQ(convertFiles(base, folder / "plain-file" / "out.csv"), MessageId::kCannotCreateOutput);
  EXPECT_EQ(convertFiles(base, folder.path()), MessageId::kCannotCreateOutput);
}

TEST_F(LogConverterFiles, OutputNamingAnInputIsRefusedAndInputsStayUntouched) {
  twoRecordLog().writeFiles(base);
  const std::string info = readFile(fs::path(base) += ".KLI");
  const std::string data = readFile(fs::path(base) += ".KLD");
  fs::create_directory(folder / "sub");
  const fs::path otherSpelling = folder / "sub" / ".." / "flight01.KLD";
  fs::create_symlink(fs::path(base) += ".KLI", folder / "link.csv");

  for (const fs::path& target : {fs::path(base) += ".KLD", otherSpelling, folder / "link.csv"}) {
    EXPECT_EQ(convertFiles(base, target), MessageId::kCannotCreateOutput) << target;
  }
  EXPECT_EQ(readFile(fs::path(base) += ".KLI"), info);
  EXPECT_EQ(readFile(fs::path(base) += ".KLD"), data);
}

// When the CSV cannot take its name at the very end (on Windows, a spreadsheet holding the older
// one; here a folder that took the name meanwhile), no other file of the run is named either.
TEST_F(LogConverterFiles, ACsvThatCannotBeNamedLeavesEveryOtherFileUnnamed) {
  for (const char* extension : {".KLD", ".KLI"}) {
    fs::copy_file(fs::path(TRELVOX_SOURCE_DIR) / "examples" / (std::string("demo") + extension),
                  fs::path(base) += extension);
  }
  ConversionRequest request;
  request.path(OutputFormat::kCsv) = output;
  for (const OutputFormat side :
       {OutputFormat::kJson, OutputFormat::kGpx, OutputFormat::kKml, OutputFormat::kHtml}) {
    request.path(side) = fs::path(base);
  }
  *request.path(OutputFormat::kJson) += ".json";
  *request.path(OutputFormat::kGpx) += ".gpx";
  *request.path(OutputFormat::kKml) += ".kml";
  *request.path(OutputFormat::kHtml) += ".html";
  {
    LogConverter converter(Separators{});
    converter.open(base, request);
    fs::create_directories(output / "taken");
    EXPECT_THROW(converter.convert(), TelemetryLogException);
  }
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_THAT(names,
              ::testing::UnorderedElementsAre("flight01.KLD", "flight01.KLI", "flight01.csv"));
  EXPECT_TRUE(fs::is_directory(output));
}

TEST_F(LogConverterFiles, FullDiskIsAFailureNeverSuccess) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  LogBuilder log;
  for (int i = 0; i < 2000; ++i) log.record();
  log.writeFiles(base);
  EXPECT_EQ(convertFiles(base, "/dev/full"), MessageId::kCannotCreateOutput);

  LogBuilder tiny;  // small enough to sit in the buffer until the file is closed
  tiny.writeFiles(base);
  EXPECT_EQ(convertFiles(base, "/dev/full"), MessageId::kCannotCreateOutput);
}

// A log long enough to have its rows formatted on a second core: the same bytes as on one, and a
// failure to write still names the system's reason, read on the thread that converts the log.
TEST_F(LogConverterFiles, ALongLogGivesTheSameBytesAndReasonsAsAShortOne) {
  LogBuilder log;
  log.sensor(1, 2);  // a voltage sensor, so that rows differ in more than the time
  for (int i = 0; i < 60'000; ++i)
    log.record().time(static_cast<std::uint32_t>(i * 100)).word(1, 0x8000 | (i % 97));
  log.writeFiles(base);
  ASSERT_EQ(convertFiles(base, output), std::nullopt);
  EXPECT_EQ(readFile(output), convert(log).text());

  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  try {
    LogConverter converter(Separators{});
    converter.open(base, "/dev/full");
    converter.convert();
    ADD_FAILURE() << "writing to a full disk succeeded";
  } catch (const TelemetryLogException& e) {
    EXPECT_EQ(e.messageId(), MessageId::kCannotCreateOutput);
    EXPECT_STREQ(e.what(), "/dev/full");
    EXPECT_EQ(e.reason(), std::errc::no_space_on_device);
  }
}

TEST_F(LogConverterFiles, EmptyDataFileGivesTheHeaderRowsOnly) {
  LogBuilder().writeFiles(base);
  EXPECT_EQ(convertFiles(base, output), std::nullopt);
  EXPECT_EQ(CsvTable(readFile(output), ',').dataRowCount(), 0u);
}

TEST_F(LogConverterFiles, ExistingOutputIsKeptWhenReplacingIsRefused) {
  twoRecordLog().writeFiles(base);
  LogBuilder::writeFile(output, {'o', 'l', 'd'});
  EXPECT_EQ(convertFiles(base, output, LogConverter::ExistingOutput::kRefuse),
            MessageId::kOutputExists);
  EXPECT_EQ(readFile(output), "old");
  EXPECT_EQ(convertFiles(base, output, LogConverter::ExistingOutput::kReplace), std::nullopt);
  EXPECT_NE(readFile(output), "old");
}

// A file replaced is written out block by block as it goes (see OutputFile::open); every block
// must land at its place, whether the name was new or taken.
TEST_F(LogConverterFiles, ReplacedOutputHoldsTheSameBytesAsANewOne) {
  LogBuilder log;
  for (int i = 0; i < 5000; ++i) log.record().word(0, static_cast<std::uint16_t>(0x4000 | i % 90));
  log.writeFiles(base);
  const std::string expected = convert(log).text();
  ASSERT_EQ(convertFiles(base, output), std::nullopt);
  EXPECT_EQ(readFile(output), expected);
  LogBuilder::writeFile(output, std::vector<std::uint8_t>(300 * 1024, 'x'));
  ASSERT_EQ(convertFiles(base, output), std::nullopt);
  EXPECT_EQ(readFile(output), expected);
}

TEST_F(LogConverterFiles, CompanionsWithLowerCaseExtensionsAreFound) {
  const LogBuilder log = twoRecordLog();
  LogBuilder::writeFile(folder / "flight01.kli", log.infoBytes());
  LogBuilder::writeFile(folder / "flight01.Kld", log.dataBytes());
  EXPECT_EQ(convertFiles(basePathOf(folder / "flight01.Kld"), output), std::nullopt);
  EXPECT_EQ(readFile(output), convert(log).text());
}

std::size_t entriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// What waits in a scratch file comes back byte for byte, and the file never outlives its use.
TEST_F(LogConverterFiles, ScratchFileGivesBackItsBytesAndLeavesNothing) {
  std::string bytes;
  for (int i = 0; bytes.size() < 200 * 1024; ++i) bytes += "<gx:coord>" + std::to_string(i) + "\n";
  {
    ScratchFile spill;
    spill.beside(output);
    StringSink sink;
    spill.moveTo(sink);  // nothing written: no file made
    EXPECT_EQ(entriesIn(folder.path()), 0u);

    spill.write({bytes.data(), 10});
    spill.write({bytes.data() + 10, bytes.size() - 10});
    EXPECT_EQ(entriesIn(folder.path()), 1u);
    spill.moveTo(sink);
    EXPECT_EQ(sink.text, bytes);
    EXPECT_EQ(entriesIn(folder.path()), 0u);

    spill.write({bytes.data(), 10});  // a failed conversion never moves it
  }
  EXPECT_EQ(entriesIn(folder.path()), 0u);
}

TEST_F(LogConverterFiles, ScratchFileThatCannotBeMadeNamesItsOutput) {
  ScratchFile spill;
  spill.beside(folder / "missing-folder" / "flight01.kml");
  try {
    spill.write(std::string_view("x"));
    FAIL() << "no failure reported";
  } catch (const TelemetryLogException& e) {
    EXPECT_EQ(e.messageId(), MessageId::kCannotCreateOutput);
    EXPECT_THAT(e.what(), ::testing::HasSubstr("missing-folder"));
  }
}

}  // namespace
}  // namespace trelvox
