// Signals the shell that started fluxeta-batch told it to ignore stay ignored: a study
// started with `trap "" TERM` before `exec` finishes whatever TERM it is sent.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "../support/batch_process.h"

namespace fluxeta::cli {
namespace {

using testing::FileBytes;
using testing::RunBatchProcess;
using testing::ScratchDirectory;

TEST(InheritedSignals, AnIgnoredTermLetsTheStudyFinish) {
  const ScratchDirectory scratch;
  // $$ is the shell that becomes fluxeta-batch; TERM follows while the study runs.
  const auto result = RunBatchProcess(scratch, "--sweep gamma=0:1:3000 -o s.csv",
                                      "trap '' TERM; (sleep 0.2; kill -TERM $$) & true");
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string csv = FileBytes(scratch.path() / "s.csv").value_or("");
  std::istringstream lines(csv);
  int count = 0;
  for (std::string line; std::getline(lines, line);) {
    ++count;
  }
  EXPECT_EQ(count, 1 + 3000);
}

}  // namespace
}  // namespace fluxeta::cli
