#include "fluxeta/run/calculation_run.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../support/expected_files.h"
#include "../support/scratch_directory.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/run/result_file.h"

namespace fluxeta::run {
namespace {

using testing::FileBytes;
using testing::ScratchDirectory;

const std::string kFileCanNotOpen(base::messages::kFileCanNotOpen);
const std::string kDoesNotConverge(base::messages::kDoesNotConverge);

// A window that records what the run shows; `onMessage` acts while a message box is up.
class RecordingFrontEnd : public WindowFrontEnd {
 public:
  run::BoxTexts Boxes() const override { return boxes; }
  char DecimalSeparator() const override { return separator; }
  void ShowMessage(std::string_view text) override {
    shown.emplace_back(text);
    if (onMessage) {
      onMessage(text);
    }
  }
  void ShowCompletion() override { ++completions; }

  run::BoxTexts boxes;
  char separator = '.';
  std::vector<std::string> shown;
  int completions = 0;
  std::function<void(std::string_view)> onMessage;
};

class CalculationRunTest : public ::testing::Test {
 protected:
  CalculationRunTest() {
    frontEnd_.boxes = run::DefaultBoxTexts('.');
    frontEnd_.boxes.Edit(run::kResultFileNameBox) = ResultFile();
  }

  std::string ResultFile() const { return scratch_ / "Result.txt"; }
  // A run, keeping the table it printed.
  RunReport Run() {
    RunReport report = CalculationRun(frontEnd_, parameters_);
    table_ = report.solution.table;
    return report;
  }
  // Clears what the front end recorded, keeping its boxes.
  void Forget() {
    frontEnd_.shown.clear();
    frontEnd_.completions = 0;
  }

  const ScratchDirectory scratch_;
  RecordingFrontEnd frontEnd_;
  cases::CaseParameters parameters_;
  cases::StationTable table_;
};

std::vector<std::string> FileLines(const std::string& path) {
  const std::string bytes = FileBytes(path).value();
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST_F(CalculationRunTest, WritesTheDefaultCaseAndShowsTheCompletion) {
  const RunReport report = Run();
  EXPECT_EQ(report.outcome, RunOutcome::Finished);
  EXPECT_TRUE(report.solution.solve.converged);
  EXPECT_EQ(report.solution.solve.sweeps, 5);
  EXPECT_TRUE(frontEnd_.shown.empty());
  EXPECT_EQ(frontEnd_.completions, 1);
  EXPECT_EQ(FileBytes(ResultFile()), testing::DefaultResultFile());
}

TEST_F(CalculationRunTest, TwoConvergedRunsWriteTheSameFile) {
  Run();
  const auto first = FileBytes(ResultFile());
  Run();
  EXPECT_EQ(FileBytes(ResultFile()), first);
  EXPECT_EQ(frontEnd_.completions, 2);
}

TEST_F(CalculationRunTest, EndsAtAResultFileThatCannotBeCreated) {
  const std::filesystem::path directory = scratch_.path() / "a directory";
  std::filesystem::create_directory(directory);
  for (const std::string& name :
       {std::string(), scratch_ / "missing/Result.txt", directory.string()}) {
    Forget();
    frontEnd_.boxes.Edit(run::kResultFileNameBox) = name;
    const RunReport report = Run();
    EXPECT_EQ(report.outcome, RunOutcome::FileNotOpened) << name;
    EXPECT_EQ(frontEnd_.shown, std::vector<std::string>{kFileCanNotOpen}) << name;
    EXPECT_EQ(frontEnd_.completions, 0) << name;
    // Nothing was solved.
    EXPECT_EQ(report.solution.solve.sweeps, 0) << name;
    EXPECT_EQ(table_.Q[1], 0.0) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(scratch_.path() / "missing"));
  EXPECT_TRUE(std::filesystem::is_empty(directory));
}

// An append-only file cannot be cut to zero length but could be appended to: a run that
// cannot write its input section must not add a result section to such a stranger's file.
TEST_F(CalculationRunTest, LeavesAnExistingFileUntouchedWhenItCannotBeReplaced) {
  const std::string previous = "someone else's data\r\n";
  testing::WriteBytes(ResultFile(), previous);
  const int descriptor = ::open(ResultFile().c_str(), O_RDONLY);
  ASSERT_GE(descriptor, 0);
  int flags = 0;
  const bool appendOnly =
      ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0 &&
      (flags |= FS_APPEND_FL, ::ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0);
  if (!appendOnly) {
    ::close(descriptor);
    GTEST_SKIP() << "the file system cannot make a file append-only here";
  }
  const RunReport report = Run();
  flags &= ~FS_APPEND_FL;
  ::ioctl(descriptor, FS_IOC_SETFLAGS, &flags);
  ::close(descriptor);
  EXPECT_EQ(report.outcome, RunOutcome::FileNotOpened);
  EXPECT_EQ(frontEnd_.shown, std::vector<std::string>{kFileCanNotOpen});
  EXPECT_EQ(frontEnd_.completions, 0);
  EXPECT_EQ(FileBytes(ResultFile()), previous);
}

TEST_F(CalculationRunTest, PrintsZerosForTheFiguresOfASearchThatGaveUp) {
  Run();  // a converged run leaves its figures in the table
  Forget();
  frontEnd_.boxes.Edit(14) = "0";  // Qin
  const RunReport report = Run();
  EXPECT_EQ(report.outcome, RunOutcome::NotConverged);
  EXPECT_FALSE(report.solution.solve.converged);
  EXPECT_EQ(report.solution.solve.sweeps, 50);
  EXPECT_EQ(frontEnd_.shown, std::vector<std::string>{kDoesNotConverge});
  EXPECT_EQ(frontEnd_.completions, 0);

  const auto lines = FileLines(ResultFile());
  ASSERT_EQ(lines.size(), 75u);
  for (int station = 1; station <= cases::StationCount; ++station) {
    const std::string& row = lines[20 + station];
    EXPECT_EQ(row.substr(36, 8), "   0.000") << "Q_DIFF of station " << station;
    EXPECT_EQ(row.substr(row.size() - 8), "   0.000") << "RTime of station " << station;
  }
  EXPECT_EQ(lines[74], "   Uniformity (-)           =  0.000");
  EXPECT_EQ(table_.DelQRms, 0.0);
}

TEST_F(CalculationRunTest, ShowsNoCompletionWhenTheResultSectionCannotBeAppended) {
  // The file gives way to a directory while the non-convergence message is up.
  frontEnd_.onMessage = [this](std::string_view text) {
    if (text == base::messages::kDoesNotConverge) {
      std::filesystem::remove(ResultFile());
      std::filesystem::create_directory(ResultFile());
    }
  };
  frontEnd_.boxes.Edit(14) = "0";
  const RunReport report = Run();
  EXPECT_EQ(report.outcome, RunOutcome::FileNotOpened);
  EXPECT_EQ(frontEnd_.shown, (std::vector<std::string>{kDoesNotConverge, kFileCanNotOpen}));
  EXPECT_EQ(frontEnd_.completions, 0);
  EXPECT_TRUE(std::filesystem::is_empty(ResultFile()));
}

TEST_F(CalculationRunTest, EndsWithTheDiskFullErrorWhenTheWriteFails) {
  frontEnd_.boxes.Edit(run::kResultFileNameBox) = "/dev/full";
  try {
    Run();
    FAIL() << "the run wrote to a full device";
  } catch (const base::InputOutputError& error) {
    EXPECT_EQ(error.code(), 101);
    EXPECT_STREQ(error.what(), "ディスクがいっぱいです");
  }
  EXPECT_TRUE(frontEnd_.shown.empty());
  EXPECT_EQ(frontEnd_.completions, 0);
}

TEST_F(CalculationRunTest, LeavesTheInputSectionAloneAfterAFaultInTheSolve) {
  frontEnd_.boxes.Edit(7) = "0";  // H: the slot shear rate divides by the gap
  EXPECT_THROW(Run(), base::FloatingPointError);
  EXPECT_EQ(FileBytes(ResultFile()), InputSectionText(parameters_, '.'));
  EXPECT_EQ(FileLines(ResultFile()).size(), 17u);
  EXPECT_EQ(frontEnd_.completions, 0);
}

TEST_F(CalculationRunTest, WritesNothingForABoxThatIsNotANumber) {
  Run();
  const auto previous = FileBytes(ResultFile());
  frontEnd_.boxes.Edit(5) = "2.5 cm";
  frontEnd_.boxes.Edit(9) = "abc";
  try {
    Run();
    FAIL() << "the run accepted a unit after a number";
  } catch (const base::ConversionError& error) {
    EXPECT_EQ(error.text(), "2.5 cm");
  }
  EXPECT_EQ(FileBytes(ResultFile()), previous);
  EXPECT_EQ(frontEnd_.completions, 1);
}

TEST(CalculationRun, WritesTheLocalesSeparatorFromTheDefaultTextsAlone) {
  const ScratchDirectory scratch;
  RecordingFrontEnd frontEnd;
  frontEnd.separator = ',';
  frontEnd.boxes = run::DefaultBoxTexts(',');
  frontEnd.boxes.Edit(run::kResultFileNameBox) = scratch / "Result.txt";
  cases::CaseParameters parameters;
  EXPECT_EQ(CalculationRun(frontEnd, parameters).outcome, RunOutcome::Finished);
  const std::string bytes = FileBytes(scratch / "Result.txt").value();
  EXPECT_NE(bytes.find("(cm2)    =  3,0000\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("(MPa)  =  0,173\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("(-)           =  0,912\r\n"), std::string::npos);
  const auto lines = FileLines(scratch / "Result.txt");
  for (int row = 22; row <= 71; ++row) {
    EXPECT_EQ(lines.at(row - 1).find('.'), std::string::npos) << "line " << row;
  }
}

}  // namespace
}  // namespace fluxeta::run
