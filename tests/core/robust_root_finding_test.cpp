// The bracket in ln P and Brent's method on functions whose roots are known.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "robust_brent.h"
#include "robust_root_bracket.h"

namespace fluxeta::solver {
namespace {

// Counts evaluations of a function of P and never stops early.
template <typename Function>
struct Counted {
  SignedPoint operator()(double at) {
    ++evaluations;
    return {at, function(at), true};
  }
  Function function;
  int evaluations = 0;
};

template <typename Function>
Counted<Function> Count(Function function) {
  return {function};
}

const auto kNeverStop = [](const SignedPoint&) { return false; };

TEST(RootBracket, StepsGrowUntilTheSideChanges) {
  // Positive below the root at e^3, so the steps go up: 0.1, 0.2, 0.4, 0.8, 1, 1, …
  auto counted = Count([](double p) { return 3.0 - std::log(p); });
  const RootBracket bracket = BracketRoot(1.0, counted, kNeverStop);
  ASSERT_EQ(bracket.end, BracketEnd::Bracketed);
  EXPECT_GT(bracket.lower.value, 0.0);
  EXPECT_LE(bracket.upper.value, 0.0);
  EXPECT_LT(bracket.lower.at, std::exp(3.0));
  EXPECT_EQ(bracket.last.at, bracket.upper.at);
  ASSERT_TRUE(bracket.beyond.has_value());
  EXPECT_LT(bracket.beyond->at, bracket.lower.at);
  // Steps to ln P = 0.1, 0.3, 0.7, 1.5, 2.5; then the secant of a straight line in ln P,
  // shorter than the step of 1, lands on the root.
  EXPECT_EQ(counted.evaluations, 7);
  EXPECT_NEAR(std::log(bracket.upper.at), 3.0, 1e-14);
}

TEST(RootBracket, GivesUpBeyondAFactorOfEToTheTwelfth) {
  auto counted = Count([](double) { return -1.0; });
  const RootBracket bracket = BracketRoot(100.0, counted, kNeverStop);
  EXPECT_EQ(bracket.end, BracketEnd::OutOfReach);
  EXPECT_NEAR(std::log(bracket.last.at / 100.0), -12.0, 1e-12);
  // 0.1, 0.2, 0.4, 0.8, then steps of 1 up to 12, the last one shortened.
  EXPECT_EQ(counted.evaluations, 1 + 4 + 11);
}

TEST(RootBracket, StopsWhereTheCallerSays) {
  auto counted = Count([](double p) { return 2.0 - p; });
  const RootBracket bracket =
      BracketRoot(1.0, counted, [](const SignedPoint& point) { return point.at > 1.0; });
  EXPECT_EQ(bracket.end, BracketEnd::Stopped);
  EXPECT_EQ(counted.evaluations, 2);
}

TEST(BrentRoot, ConvergesOnASmoothRootToTheStopTest) {
  auto counted = Count([](double p) { return std::cbrt(2.0) - std::cbrt(p); });
  const double tolerance = 1e-14;
  const BrentResult result =
      BrentRoot(counted(1.5), counted(3.0), std::nullopt, counted,
                [&](const SignedPoint& point) { return std::abs(point.value) <= tolerance; });
  EXPECT_TRUE(result.stopped);
  EXPECT_NEAR(result.best.at, 2.0, 1e-12);
  EXPECT_LE(counted.evaluations, 2 + 8);
}

TEST(BrentRoot, NarrowsAJumpToAFewUlp) {
  const double jump = 1.2345;
  auto counted = Count([&](double p) { return p < jump ? 1.0 : -1.0; });
  const BrentResult result =
      BrentRoot(counted(1.0), counted(2.0), std::nullopt, counted, kNeverStop);
  EXPECT_FALSE(result.stopped);
  EXPECT_NE(result.best.value > 0, result.other.value > 0);
  const double width = std::abs(result.best.at - result.other.at);
  EXPECT_LE(width, kBracketWidthInEpsilons * std::numeric_limits<double>::epsilon() * jump);
  EXPECT_LE(std::min(result.best.at, result.other.at), jump);
  EXPECT_GE(std::max(result.best.at, result.other.at), jump);
  // No better than bisection on a jump, and no worse.
  EXPECT_LE(counted.evaluations, 2 + 60);
}

}  // namespace
}  // namespace fluxeta::solver
