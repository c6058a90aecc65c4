// The output of fluxeta-batch under interruptions, failed writes and outputs that are
// inputs: an output is complete under its name or not there at all, and a failure says
// what failed.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/batch_process.h"

namespace fluxeta::cli {
namespace {

using testing::FileBytes;
using testing::RunBatchProcess;
using testing::ScratchDirectory;
using testing::WriteBytes;

// A study that takes hours: it ends only by a signal or a failure.
constexpr const char* kEndlessStudy = "--sweep gamma=0:1:100000000 -j 2";
constexpr const char* kOldContent = "gamma,old\n0,1\n";

// The names in the directory, less the captured standard output and error.
std::vector<std::string> Listing(const ScratchDirectory& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory.path())) {
    const std::string name = entry.path().filename().string();
    if (name != ".stdout" && name != ".stderr") {
      names.push_back(name);
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Starts the endless study writing s.csv, lets it run for a while, then sends `signal`.
testing::BatchProcess InterruptStudy(const ScratchDirectory& directory, const std::string& signal) {
  const std::string command = "cd '" + directory.path().string() +
                              "' && bash -c 'set -m; LC_ALL=C \"" FLUXETA_BATCH "\" " +
                              std::string(kEndlessStudy) +
                              " -o s.csv 2>.stderr & sleep 0.7; kill -" + signal + " $!; wait $!'";
  const int raw = std::system(command.c_str());
  testing::BatchProcess result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.err = FileBytes(directory.path() / ".stderr").value_or("");
  return result;
}

TEST(StudyOutput, AnInterruptedStudyLeavesTheOldOutputAndNoPartialFile) {
  for (const auto& [signal, status] :
       std::vector<std::pair<std::string, int>>{{"INT", 130}, {"TERM", 143}, {"HUP", 129}}) {
    const ScratchDirectory scratch;
    WriteBytes(scratch.path() / "s.csv", kOldContent);
    const auto result = InterruptStudy(scratch, signal);
    EXPECT_EQ(result.status, status) << signal;
    EXPECT_EQ(FileBytes(scratch.path() / "s.csv"), kOldContent) << signal;
    EXPECT_EQ(Listing(scratch), std::vector<std::string>{"s.csv"}) << signal;
  }
}

TEST(StudyOutput, ACompleteStudyReplacesTheOldOutputKeepingItsPermissions) {
  const ScratchDirectory scratch;
  WriteBytes(scratch.path() / "s.csv", kOldContent);
  std::filesystem::permissions(scratch.path() / "s.csv", std::filesystem::perms(0640));
  const auto result = RunBatchProcess(scratch, "--sweep gamma=0:1:3 -o s.csv");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(FileBytes(scratch.path() / "s.csv")->substr(0, 6), "gamma,");
  EXPECT_EQ(std::filesystem::status(scratch.path() / "s.csv").permissions(),
            std::filesystem::perms(0640));
  EXPECT_EQ(Listing(scratch), std::vector<std::string>{"s.csv"});

  // A device is written, not replaced.
  EXPECT_EQ(RunBatchProcess(scratch, "--sweep gamma=0:1:3 -o /dev/null").status, 0);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

// Past the file-size limit at its first block of rows: the study stops there, long
// before its last case, names the file and the reason, and leaves the old file.
TEST(StudyOutput, AFailedWriteStopsTheStudyAtOnceNamingTheFileAndTheReason) {
  const ScratchDirectory scratch;
  WriteBytes(scratch.path() / "s.csv", kOldContent);
  const auto result =
      RunBatchProcess(scratch, std::string(kEndlessStudy) + " -o s.csv", "ulimit -f 64");
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err, "fluxeta-batch: cannot write output file 's.csv': File too large\n");
  EXPECT_EQ(FileBytes(scratch.path() / "s.csv"), kOldContent);
  EXPECT_EQ(Listing(scratch), std::vector<std::string>{"s.csv"});
}

TEST(StudyOutput, AFailedOrClosedStandardOutputExitsWithFour) {
  const ScratchDirectory scratch;
  auto result = RunBatchProcess(scratch, "--table json -o r.txt >/dev/full");
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err, "fluxeta-batch: cannot write standard output: No space left on device\n");

  result = RunBatchProcess(scratch, "--table csv -o r.txt >&-");
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err, "fluxeta-batch: cannot write standard output: Bad file descriptor\n");
  // The result file took no descriptor meant for standard output.
  EXPECT_EQ(FileBytes(scratch.path() / "r.txt")->size(),
            FileBytes(FLUXETA_TEST_DATA "/default_result.txt")->size());

  result = RunBatchProcess(scratch, std::string(kEndlessStudy) + " >/dev/full");
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err, "fluxeta-batch: cannot write standard output: No space left on device\n");
}

TEST(StudyOutput, AnOutputThatIsAnInputIsRefusedBeforeAnythingIsWritten) {
  const ScratchDirectory scratch;
  const std::string dataFile = FileBytes(FLUXETA_TEST_DATA "/default_result.txt").value();
  WriteBytes(scratch.path() / "mine.txt", dataFile);
  auto result = RunBatchProcess(scratch, "mine.txt -o ./mine.txt");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "fluxeta-batch: the output './mine.txt' is the data file 'mine.txt'; nothing is "
            "written\n");
  EXPECT_EQ(FileBytes(scratch.path() / "mine.txt"), dataFile);

  WriteBytes(scratch.path() / "s.csv", kOldContent);
  std::filesystem::create_symlink("s.csv", scratch.path() / "link.csv");
  result = RunBatchProcess(scratch, "--cases s.csv -o link.csv");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "fluxeta-batch: the output 'link.csv' is the cases file 's.csv'; nothing is written\n");
  EXPECT_EQ(FileBytes(scratch.path() / "s.csv"), kOldContent);
}

}  // namespace
}  // namespace fluxeta::cli
