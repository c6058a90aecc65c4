// Studies through the fluxeta-batch program itself.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <sstream>
#include <string>

#include "../support/scratch_directory.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::cli {
namespace {

using testing::FileBytes;
using testing::ScratchDirectory;
using testing::WriteBytes;

// Runs fluxeta-batch in `directory` with a point as the decimal separator; its standard
// output and error go to files there. Returns the exit status.
int RunBatch(const ScratchDirectory& directory, const std::string& arguments) {
  const std::string command = "cd '" + directory.path().string() + "' && LC_ALL=C '" +
                              FLUXETA_BATCH + "' " + arguments + " >stdout.txt 2>stderr.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    lines.push_back(line);
  }
  return lines;
}

// The uniformity field of a study row: the fourth from the end.
std::string UniformityField(const std::string& row) {
  std::vector<std::string> fields;
  std::istringstream stream(row);
  for (std::string field; std::getline(stream, field, ',');) {
    fields.push_back(field);
  }
  return fields.at(fields.size() - 4);
}

TEST(StudyCli, OneAndTwoThreadsWriteIdenticalFiles) {
  ScratchDirectory directory;
  const std::string study = "--sweep gamma=0:1:3 --sweep Lend=2:3:2 --sweep H=0:0.0254:2";
  ASSERT_EQ(RunBatch(directory, study + " -j 1 -o one.csv"), 0);
  ASSERT_EQ(RunBatch(directory, study + " -j 2 -o two.csv"), 0);
  const auto one = FileBytes(directory / "one.csv");
  ASSERT_TRUE(one);
  EXPECT_EQ(Lines(*one).size(), 13u);
  EXPECT_EQ(FileBytes(directory / "two.csv"), one);
  EXPECT_EQ(FileBytes(directory / "stdout.txt"), "");
  EXPECT_FALSE(std::filesystem::exists(directory / "Result.txt"));
}

TEST(StudyCli, ARowsUniformityIsTheOneInTheResultFileOfTheSameCase) {
  ScratchDirectory directory;
  // The data file sets the base case; the study varies one input around it.
  WriteBytes(directory / "case.txt",
             "Ain = 3.0\ngamma = 0.6\nPein = 6.14\nLin = 3.0\nLend = 2.5\nW = 66.0\n"
             "H = 0.0254\nlambda = 16.0\nalpha = 1.3\neta0 = 10.0\ngamma0 = 1.0\nn = 0.5\n"
             "gammacr = 50.0\nrho = 1.2\nQin = 33.0\n");
  ASSERT_EQ(RunBatch(directory, "case.txt --sweep Qin=33:40:2"), 0);
  const auto study = Lines(*FileBytes(directory / "stdout.txt"));
  ASSERT_EQ(study.size(), 3u);
  ASSERT_TRUE(study[1].starts_with("33,true,")) << study[1];
  ASSERT_EQ(RunBatch(directory, "case.txt -o Result.txt"), 0);
  const auto result = Lines(*FileBytes(directory / "Result.txt"));
  ASSERT_EQ(result.size(), 75u);
  const double uniformity = std::stod(UniformityField(study[1]));
  EXPECT_EQ(result[74], "   Uniformity (-)           =  " +
                            cases::FormatNumber(uniformity, cases::NumberFormat::Fixed, 5, 3, '.') +
                            "\r");
}

TEST(StudyCli, RefusesABadSweepWithStatusTwoAndWritesNothing) {
  ScratchDirectory directory;
  EXPECT_EQ(RunBatch(directory, "--sweep gamma=0:1:0 -o study.csv"), 2);
  EXPECT_FALSE(std::filesystem::exists(directory / "study.csv"));
  EXPECT_NE(FileBytes(directory / "stderr.txt")->find("--sweep 'gamma=0:1:0'"), std::string::npos);
}

}  // namespace
}  // namespace fluxeta::cli
