// Inputs a careless or hostile user gives fluxeta-batch: directories and endless devices
// for files, grids too large to hold, texts of any length and bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../support/batch_process.h"

namespace fluxeta::cli {
namespace {

using testing::RunBatchProcess;
using testing::ScratchDirectory;

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer reserves terabytes of address space for its shadow memory: the bound
// on memory is checked by the plain build.
constexpr const char* kMemoryLimit = "true";
#else
// Room for the program and its threads, far less than the grids below would take.
constexpr const char* kMemoryLimit = "ulimit -v 1000000";
#endif

TEST(HostileInput, ACasesFileThatIsADirectoryIsRefused) {
  const ScratchDirectory scratch;
  std::filesystem::create_directory(scratch.path() / "dir");
  const auto result = RunBatchProcess(scratch, "--cases dir");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "fluxeta-batch: cannot read cases file 'dir': Is a directory\n");
  EXPECT_EQ(result.out, "");
}

TEST(HostileInput, EndlessDataAndCasesFilesAreRefusedWithinTheirBounds) {
  const ScratchDirectory scratch;
  auto result = RunBatchProcess(scratch, "/dev/zero", kMemoryLimit);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "fluxeta-batch: data file '/dev/zero': more than 1048576 bytes before its fifteenth "
            "line end\nData file can not open!\n");
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "Result.txt"));

  result = RunBatchProcess(scratch, "--cases /dev/zero", kMemoryLimit);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "fluxeta-batch: cases file '/dev/zero', line 1: a record longer than 1048576 bytes\n");
}

TEST(HostileInput, AGridTooLargeIsRefusedBeforeAnythingIsAllocated) {
  const ScratchDirectory scratch;
  const auto result = RunBatchProcess(
      scratch, "--sweep gamma=0:1:100000000 --sweep Lend=2:3:100000000 -o s.csv", kMemoryLimit);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "fluxeta-batch: the study has more than 1099511627776 cases\n");
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "s.csv"));
}

// 10^8 cases would take hours: the study is stopped after its first rows, which it
// reaches in the memory of a few blocks of rows.
TEST(HostileInput, ASweepOfAHundredMillionPointsRunsInBoundedMemory) {
  const ScratchDirectory scratch;
  const std::string command = "cd '" + scratch.path().string() + "' && " + kMemoryLimit +
                              " && { LC_ALL=C '" FLUXETA_BATCH
                              "' --sweep gamma=0:1:100000000 -j 2 | head -c 100000 | wc -c; } "
                              ">count.txt 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(testing::FileBytes(scratch.path() / "count.txt"), "100000\n");
}

TEST(HostileInput, StudyNumbersUseAPointInEveryLocaleAndAreQuotedAsWritten) {
  const ScratchDirectory scratch;
  testing::WriteBytes(scratch.path() / "c.csv", "gamma\n\"0,5\"\n1.5x\n0.5\n");
  const auto inC = RunBatchProcess(scratch, "--cases c.csv");
  const auto inGerman = RunBatchProcess(scratch, "--cases c.csv", "", "de_DE.UTF-8");
  EXPECT_EQ(inC.status, 0);
  EXPECT_EQ(inGerman.out, inC.out);
  const std::string lines[] = {
      "\"0,5\",false,not_a_number,,\"'0,5' は浮動小数点数ではありません\",,,,,\n",
      "1.5x,false,not_a_number,,'1.5x' は浮動小数点数ではありません,,,,,\n", "0.5,true,"};
  for (const std::string& line : lines) {
    EXPECT_NE(inC.out.find(line), std::string::npos) << line;
  }
}

TEST(HostileInput, AMessageKeepsEveryByteOfAValueAndShortensALongOne) {
  const ScratchDirectory scratch;
  const std::string withNul("1\0x", 3);
  std::string lines;
  for (int line = 1; line <= 15; ++line) {
    lines += "input " + std::to_string(line) + " = " + (line == 1 ? withNul : "1") + "\n";
  }
  testing::WriteBytes(scratch.path() / "nul.txt", lines);
  auto result = RunBatchProcess(scratch, "nul.txt");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "'" + withNul + "' は浮動小数点数ではありません.\n");

  const std::string longValue = "9" + std::string(100000, 'x') + "7";
  testing::WriteBytes(scratch.path() / "c.csv", "W\n" + longValue + "\n");
  result = RunBatchProcess(scratch, "--cases c.csv");
  EXPECT_EQ(result.status, 0);
  const std::string shortened =
      "9" + std::string(147, 'x') + "\xE2\x80\xA6" + std::string(147, 'x') + "7";
  // The input column as written, the message with the value's two ends.
  EXPECT_NE(result.out.find("\n" + longValue + ",false,not_a_number,,'" + shortened +
                            "' は浮動小数点数ではありません,"),
            std::string::npos);
  EXPECT_LT(result.out.size(), longValue.size() + 1000);
}

TEST(HostileInput, MessagesNameThePathTheyConcernAndAFileSizeLimitIsAFullDisk) {
  const ScratchDirectory scratch;
  auto result = RunBatchProcess(scratch, "--sweep gamma=0:1:2 Lend=2:3:2");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "fluxeta-batch: data file 'Lend=2:3:2': No such file or directory\n"
            "Data file can not open!\n");

  result = RunBatchProcess(scratch, "", "ulimit -f 1");
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err, "ディスクがいっぱいです.\n");
}

}  // namespace
}  // namespace fluxeta::cli
