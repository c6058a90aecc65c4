// Outputs written whole: two writers of one path at once, files committed together, and
// the temporary files an interruption removes.
#include "fluxeta/run/replacing_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/scratch_directory.h"
#include "fluxeta/run/unfinished_files.h"

namespace fluxeta::run {
namespace {

using testing::FileBytes;
using testing::ScratchDirectory;

std::vector<std::string> Names(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReplacingFile, TwoWritersOfOnePathEachHaveATemporaryFileOfTheirOwn) {
  const ScratchDirectory scratch;
  const std::string path = scratch / "Result.txt";
  ReplacingFile first(path);
  ReplacingFile second(path);
  ASSERT_FALSE(first.Failed() || second.Failed());
  EXPECT_EQ(Names(scratch.path()).size(), 2u);
  ASSERT_TRUE(first.Write("the first, longer result\n"));
  ASSERT_TRUE(second.Write("the second\n"));
  ASSERT_TRUE(second.Commit());
  ASSERT_TRUE(first.Commit());
  EXPECT_EQ(FileBytes(path), "the first, longer result\n");
  EXPECT_EQ(Names(scratch.path()), std::vector<std::string>{"Result.txt"});
}

TEST(ReplacingFile, KeepsTheModeOfTheFileItReplaces) {
  const ScratchDirectory scratch;
  const std::string path = scratch / "history.csv";
  ASSERT_EQ(WriteWholeFile(path, "old\n"), "");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(WriteWholeFile(path, "new\n"), "");
  struct stat written;
  ASSERT_EQ(::stat(path.c_str(), &written), 0);
  EXPECT_EQ(written.st_mode & 07777, 0640u);
  EXPECT_EQ(FileBytes(path), "new\n");
}

TEST(ReplacingFile, NamesThePathAndTheReasonOfAFailure) {
  const ScratchDirectory scratch;
  EXPECT_EQ(WriteWholeFile(scratch / "missing/Result.txt", ""),
            "cannot open output file '" + (scratch / "missing/Result.txt") +
                "': No such file or directory");
  ReplacingFile directory(scratch.path().string());
  EXPECT_TRUE(directory.FailedToOpen());
  ReplacingFile full("/dev/full");
  ASSERT_FALSE(full.Failed());
  EXPECT_FALSE(full.Write("x") && full.Commit());
  EXPECT_FALSE(full.FailedToOpen());
  EXPECT_EQ(full.FailureMessage(), "cannot write output file '/dev/full': No space left on device");
}

TEST(ReplacingFile, CommitsTogetherOrLeavesEveryOldFile) {
  const ScratchDirectory scratch;
  const std::string result = scratch / "Result.txt";
  const std::string history = scratch / "history.csv";
  ASSERT_EQ(WriteWholeFile(result, "old result"), "");
  {
    ReplacingFile resultFile(result);
    ReplacingFile full("/dev/full");
    ASSERT_TRUE(resultFile.Write("new result"));
    full.Write("x");
    EXPECT_FALSE(ReplacingFile::CommitTogether({&resultFile, &full}));
  }
  EXPECT_EQ(FileBytes(result), "old result");
  EXPECT_EQ(Names(scratch.path()), std::vector<std::string>{"Result.txt"});

  ReplacingFile resultFile(result);
  ReplacingFile historyFile(history);
  ASSERT_TRUE(resultFile.Write("new result") && historyFile.Write("new history"));
  ASSERT_TRUE(ReplacingFile::CommitTogether({&resultFile, &historyFile}));
  EXPECT_EQ(FileBytes(result), "new result");
  EXPECT_EQ(FileBytes(history), "new history");
}

TEST(UnfinishedFiles, AnInterruptionRemovesTheTemporaryFilesOfOpenOutputs) {
  const ScratchDirectory scratch;
  ASSERT_EQ(WriteWholeFile(scratch / "Result.txt", "old"), "");
  ReplacingFile result(scratch / "Result.txt");
  ReplacingFile history(scratch / "history.csv");
  ASSERT_TRUE(result.Write("new") && history.Write("new"));
  EXPECT_EQ(Names(scratch.path()).size(), 3u);
  RemoveUnfinishedFiles();
  EXPECT_EQ(Names(scratch.path()), std::vector<std::string>{"Result.txt"});
  EXPECT_EQ(FileBytes(scratch / "Result.txt"), "old");
}

}  // namespace
}  // namespace fluxeta::run
