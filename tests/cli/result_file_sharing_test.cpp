// Runs that meet at one result file: a file that another run is writing is one that
// cannot be opened, and no run reports success for a file holding parts of another.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "../support/batch_process.h"
#include "../support/expected_files.h"

namespace fluxeta::cli {
namespace {

using testing::FileBytes;
using testing::RunBatchProcess;
using testing::ScratchDirectory;

constexpr const char* kOtherRunsInputs = "\r\n[INPUT DATA]\r\n   another run's inputs\r\n";

// Holds the file as a run does between its two sections.
class HeldByAnotherRun {
 public:
  explicit HeldByAnotherRun(const std::string& path)
      : descriptor_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
    EXPECT_EQ(::flock(descriptor_, LOCK_EX | LOCK_NB), 0);
  }
  ~HeldByAnotherRun() { ::close(descriptor_); }
  HeldByAnotherRun(const HeldByAnotherRun&) = delete;
  HeldByAnotherRun& operator=(const HeldByAnotherRun&) = delete;

 private:
  int descriptor_;
};

TEST(ResultFileSharing, AFileThatAnotherRunIsWritingCannotBeOpened) {
  const ScratchDirectory scratch;
  testing::WriteBytes(scratch.path() / "Result.txt", kOtherRunsInputs);
  {
    const HeldByAnotherRun other(scratch / "Result.txt");
    const auto result = RunBatchProcess(scratch, "--table csv");
    EXPECT_EQ(result.status, 4);
    EXPECT_EQ(result.err,
              "fluxeta-batch: result file 'Result.txt': locked by another program\n"
              "File can not open!\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(FileBytes(scratch.path() / "Result.txt"), kOtherRunsInputs);
  }
  // Once the other run has ended, the file is replaced as usual.
  EXPECT_EQ(RunBatchProcess(scratch, "").status, 0);
  EXPECT_EQ(FileBytes(scratch.path() / "Result.txt"), testing::DefaultResultFile());
}

}  // namespace
}  // namespace fluxeta::cli
