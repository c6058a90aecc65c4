// Reading --sweep texts.
#include <gtest/gtest.h>

#include <vector>

#include "fluxeta/case/input_table.h"
#include "fluxeta/study/study_error.h"
#include "fluxeta/study/study_sweep.h"

namespace fluxeta::study {
namespace {

std::vector<double> Values(const Sweep& sweep) {
  std::vector<double> values;
  for (std::uint64_t k = 0; k < sweep.count; ++k) {
    values.push_back(sweep.Value(k));
  }
  return values;
}

TEST(StudySweep, SpreadsCountValuesEvenlyFromFromToTo) {
  const Sweep sweep = ParseSweep("Lend=2:3:5", false);
  EXPECT_EQ(sweep.input->name, "Lend");
  EXPECT_EQ(sweep.input->input, cases::FindInput("Lend"));
  EXPECT_EQ(Values(sweep), (std::vector<double>{2.0, 2.25, 2.5, 2.75, 3.0}));
}

TEST(StudySweep, ValuesOfWholeNumberEndsAreTheNearestDoublesOfTheirDecimals) {
  const Sweep sweep = ParseSweep("gamma=0:1:11", false);
  ASSERT_EQ(sweep.count, 11u);
  for (int k = 0; k <= 10; ++k) {
    EXPECT_EQ(sweep.Value(k), k / 10.0) << k;
  }
  EXPECT_EQ(ParseSweep("Lend=2.0:3.0:101", false).Value(7), 2.07);
}

TEST(StudySweep, TheLastValueIsExactlyTo) {
  const Sweep sweep = ParseSweep("H=0.1:0.7:7", false);
  EXPECT_EQ(sweep.Value(0), 0.1);
  EXPECT_EQ(sweep.Value(6), 0.7);
  EXPECT_EQ(ParseSweep("alpha=0.3:-0.1:3", false).Value(2), -0.1);
}

TEST(StudySweep, CountOneGivesFromAlone) {
  EXPECT_EQ(Values(ParseSweep("Qin=33:99:1", false)), std::vector<double>{33.0});
}

TEST(StudySweep, AcceptsSignsExponentsAndFallingRanges) {
  EXPECT_EQ(Values(ParseSweep("rho=+1.5e0:-2E-1:2", false)), (std::vector<double>{1.5, -0.2}));
  EXPECT_EQ(Values(ParseSweep("W=3:1:3", false)), (std::vector<double>{3, 2, 1}));
}

TEST(StudySweep, TakesEndsNearTheEdgeOfTheDoubleRange) {
  EXPECT_EQ(Values(ParseSweep("gamma=1e308:1.7e308:3", false)),
            (std::vector<double>{1e308, 1.35e308, 1.7e308}));
  EXPECT_EQ(Values(ParseSweep("gamma=-1.7e308:1.7e308:3", false)),
            (std::vector<double>{-1.7e308, 0, 1.7e308}));
  // Ends of ordinary size keep the weighted form's values.
  EXPECT_EQ(ParseSweep("gamma=0:1:11", false).Value(3), 0.3);
}

TEST(StudySweep, InputsFixedByDesignNeedAllInputs) {
  for (const char* text :
       {"lambda=1:2:2", "eta0=1:2:2", "gamma0=1:2:2", "n=0.5:1:2", "gammacr=10:50:2"}) {
    EXPECT_THROW(ParseSweep(text, false), StudyError) << text;
    EXPECT_NO_THROW(ParseSweep(text, true)) << text;
  }
  EXPECT_EQ(ParseSweep("gammacr=10:50:2", true).input->input, cases::FindInput("gammacr"));
}

TEST(StudySweep, RefusesMalformedTexts) {
  for (const char* text : {"",
                           "gamma",
                           "gamma=",
                           "gamma=0:1",
                           "gamma=0:1:2:3",
                           "Gamma=0:1:2",
                           "gamma =0:1:2",
                           "Ain=a:1:2",
                           "Ain=0:1b:2",
                           "Ain=0:1:0",
                           "Ain=0:1:-1",
                           "Ain=0:1:2.5",
                           "Ain=0:1:",
                           "Ain=:1:2",
                           "Ain=inf:1:2",
                           "Ain=0:nan:2",
                           "Ain=0,5:1:2",
                           "Ain=1e400:1:2",
                           "Ain=0:1: 2",
                           "Ain=0:1:100000001"}) {
    EXPECT_THROW(ParseSweep(text, true), StudyError) << text;
  }
}

}  // namespace
}  // namespace fluxeta::study
