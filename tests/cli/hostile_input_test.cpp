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

// Room for the program and its threads, far less than the grids below would take.
constexpr const char* kMemoryLimit = "ulimit -v 1000000";

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

}  // namespace
}  // namespace fluxeta::cli
