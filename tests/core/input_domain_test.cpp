// The domain of each input: what no die can have is refused with its reason, and every
// value a designer would study lies inside it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_domain.h"

namespace fluxeta::cases {
namespace {

TEST(InputDomain, HoldsTheDefaultCaseAndEveryPlausibleRange) {
  const CaseValues defaults = DefaultCaseValues();
  for (std::size_t input = 0; input < kInputCount; ++input) {
    const InputSpec& spec = kInputs[input];
    EXPECT_EQ(InputDomainRefusal(input, defaults[input]), std::nullopt) << spec.name;
    EXPECT_TRUE(WithinPlausibleRange(input, defaults[input])) << spec.name;
    EXPECT_EQ(InputDomainRefusal(input, spec.plausibleLow), std::nullopt) << spec.name;
    EXPECT_EQ(InputDomainRefusal(input, spec.plausibleHigh), std::nullopt) << spec.name;
  }
}

TEST(InputDomain, RefusesWhatNoDieHasWithItsReason) {
  const std::size_t gap = *FindInput("H");
  const std::size_t taper = *FindInput("gamma");
  EXPECT_EQ(InputDomainRefusal(gap, -0.0254), "must be above 0");
  EXPECT_EQ(InputDomainRefusal(gap, 0.0), "must be above 0");
  EXPECT_EQ(InputDomainRefusal(gap, 1e-9), std::nullopt);
  // The taper factor may take either sign.
  EXPECT_EQ(InputDomainRefusal(taper, 0.0), std::nullopt);
  EXPECT_EQ(InputDomainRefusal(taper, -0.1), std::nullopt);
  EXPECT_EQ(InputDomainRefusal(gap, std::numeric_limits<double>::quiet_NaN()),
            "must be a finite number");
  EXPECT_EQ(InputDomainRefusal(taper, HUGE_VAL), "must be a finite number");
}

TEST(InputDomain, TellsAPlausibleValueFromAnImplausibleOne) {
  const std::size_t width = *FindInput("W");
  EXPECT_TRUE(WithinPlausibleRange(width, 10.0));
  EXPECT_TRUE(WithinPlausibleRange(width, 300.0));
  EXPECT_FALSE(WithinPlausibleRange(width, 9.99));
  EXPECT_FALSE(WithinPlausibleRange(width, 301.0));
}

}  // namespace
}  // namespace fluxeta::cases
