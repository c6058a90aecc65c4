// Running the cases of a study on several threads.
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <vector>

#include "fluxeta/study/study_parallel.h"

namespace fluxeta::study {
namespace {

constexpr std::uint64_t kIndices = 1000;
constexpr unsigned kThreads = 64;
constexpr uid_t kNobody = 65534;

// Every index once, whichever threads ran them.
bool EveryIndexOnce(unsigned threads) {
  std::vector<std::atomic<int>> calls(kIndices);
  ForEachIndexInParallel(kIndices, threads, [&](unsigned worker, std::uint64_t index) {
    if (worker < threads) {
      ++calls[index];
    }
  });
  for (const auto& count : calls) {
    if (count != 1) {
      return false;
    }
  }
  return true;
}

TEST(StudyParallel, CallsEveryIndexOnce) {
  EXPECT_TRUE(EveryIndexOnce(1));
  EXPECT_TRUE(EveryIndexOnce(3));
}

// A limit of one process for the user leaves no thread to create. Root is not held to
// the limit, so the process takes another user first. Ends the process: 0 when every
// index ran once all the same.
[[noreturn]] void RunWithoutThreads() {
  if (::geteuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
    std::_Exit(2);
  }
  const rlimit oneProcess = {1, 1};
  if (::setrlimit(RLIMIT_NPROC, &oneProcess) != 0) {
    std::_Exit(3);
  }
  std::_Exit(EveryIndexOnce(kThreads) ? 0 : 1);
}

TEST(StudyParallelDeathTest, RunsOnTheCallingThreadWhenNoThreadCanBeCreated) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(RunWithoutThreads(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace fluxeta::study
