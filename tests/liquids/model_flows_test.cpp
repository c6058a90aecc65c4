// The exact flows of every model against a reference that shares nothing with the library
// but the formula of the flow curve: the stress τ(γ̇) written out here in long double, the
// wall shear rate by bisection, and the moments integrated by parts in the shear rate,
//   ∫₀^τw s·γ̇ ds  = τw²·γ̇w/2 − ½·∫₀^γ̇w τ(g)² dg
//   ∫₀^τw s²·γ̇ ds = τw³·γ̇w/3 − ⅓·∫₀^γ̇w τ(g)³ dg
// by tanh-sinh quadrature on decades of g.
#include <cfenv>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <boost/math/quadrature/tanh_sinh.hpp>

#include "fluxeta/base/fault_flags.h"
#include "fluxeta/liquids/liquid.h"

namespace fluxeta::liquids {
namespace {

using Real = long double;
using StressCurve = std::function<Real(Real)>;  // τ(γ̇) (Pa)

struct Case {
  std::string name;
  Liquid liquid;
  StressCurve stress;
};

Real CrossStress(Real eta0, Real etaInf, Real lambda, Real m, Real g) {
  return (etaInf + (eta0 - etaInf) / (1 + std::pow(lambda * g, m))) * g;
}

Real CarreauYasudaStress(Real eta0, Real etaInf, Real lambda, Real a, Real n, Real g) {
  return (etaInf + (eta0 - etaInf) * std::pow(1 + std::pow(lambda * g, a), (n - 1) / a)) * g;
}

std::vector<Case> Cases() {
  return {
      {"cross", Liquid(Cross(CrossCurve{10, 0.01, 0.5, 0.7})),
       [](Real g) { return CrossStress(10, 0.01L, 0.5L, 0.7L, g); }},
      {"cross-m1", Liquid(Cross(CrossCurve{2, 0.2, 3, 1})),
       [](Real g) { return CrossStress(2, 0.2L, 3, 1, g); }},
      {"carreau-yasuda", Liquid(CarreauYasuda(CarreauYasudaCurve{50, 0, 2, 0.6, 0.3})),
       [](Real g) { return CarreauYasudaStress(50, 0, 2, 0.6L, 0.3L, g); }},
      {"carreau", Liquid(CarreauYasuda(CarreauYasudaCurve{0.8, 0.05, 0.01, 2, 0.5})),
       [](Real g) { return CarreauYasudaStress(0.8L, 0.05L, 0.01L, 2, 0.5L, g); }},
      {"carreau-thin", Liquid(CarreauYasuda(CarreauYasudaCurve{1e-3, 0, 1e-4, 2, 0.1})),
       [](Real g) { return CarreauYasudaStress(1e-3L, 0, 1e-4L, 2, 0.1L, g); }},
      {"herschel-bulkley", Liquid(HerschelBulkley{20, 3, 0.45}),
       [](Real g) { return 20 + 3 * std::pow(g, 0.45L); }},
      {"bingham", Liquid(HerschelBulkley{5, 0.2, 1}), [](Real g) { return 5 + 0.2L * g; }},
  };
}

Real WallShearRate(const StressCurve& stress, Real tau) {
  Real low = 0;
  Real high = 1;
  while (stress(high) < tau) {
    high *= 2;
  }
  for (int step = 0; step < 200 && high - low > high * 1e-19L; ++step) {
    const Real middle = (low + high) / 2;
    (stress(middle) < tau ? low : high) = middle;
  }
  return (low + high) / 2;
}

// {∫₀^τ s·γ̇ ds, ∫₀^τ s²·γ̇ ds} by parts; zero at or below a yield stress.
std::pair<Real, Real> ReferenceMoments(const StressCurve& stress, Real tau) {
  if (tau <= stress(0)) {
    return {0, 0};
  }
  const Real rate = WallShearRate(stress, tau);
  boost::math::quadrature::tanh_sinh<Real> rule;
  Real squares = 0;
  Real cubes = 0;
  const Real tolerance = 1e-17L;
  const auto squared = [&](Real g) { return std::pow(stress(g), 2); };
  const auto cubed = [&](Real g) { return std::pow(stress(g), 3); };
  // Decades from the wall shear rate down until what one adds is negligible; then the rest.
  Real top = rate;
  for (;;) {
    const Real bottom = top / 10;
    const Real squares0 = squares;
    squares += rule.integrate(squared, bottom, top, tolerance);
    cubes += rule.integrate(cubed, bottom, top, tolerance);
    top = bottom;
    if (squares - squares0 < 1e-22L * squares) {
      break;
    }
  }
  squares += rule.integrate(squared, Real(0), top, tolerance);
  cubes += rule.integrate(cubed, Real(0), top, tolerance);
  return {tau * tau * rate / 2 - squares / 2, tau * tau * tau * rate / 3 - cubes / 3};
}

constexpr double kReferenceAgreement = 1e-10;

TEST(ModelFlows, EveryModelsMomentsMatchAnIndependentQuadratureFromAMilliPascalToAMegaPascal) {
  for (const Case& c : Cases()) {
    for (double tau = 1e-3; tau <= 1e6; tau *= 7.3) {
      const auto [slot, pipe] = ReferenceMoments(c.stress, tau);
      if (slot == 0) {
        EXPECT_EQ(c.liquid.SlotMoment(tau), 0) << c.name << " " << tau;
        EXPECT_EQ(c.liquid.PipeMoment(tau), 0) << c.name << " " << tau;
        continue;
      }
      EXPECT_NEAR(c.liquid.SlotMoment(tau) / static_cast<double>(slot), 1, kReferenceAgreement)
          << c.name << " " << tau;
      EXPECT_NEAR(c.liquid.PipeMoment(tau) / static_cast<double>(pipe), 1, kReferenceAgreement)
          << c.name << " " << tau;
    }
  }
}

TEST(ModelFlows, TablesAgreeWithTheQuadratureTheyWereBuiltFrom) {
  const CarreauYasuda liquid(CarreauYasudaCurve{50, 0.1, 2, 0.6, 0.3});
  ASSERT_NE(liquid.table(), nullptr);
  for (double tau = 1.1e-6; tau < 1e9; tau *= 1.37) {
    const auto [slot, pipe] = liquid.MomentsByQuadrature(tau);
    EXPECT_NEAR(liquid.SlotMoment(tau) / slot, 1, 1e-12) << tau;
    EXPECT_NEAR(liquid.PipeMoment(tau) / pipe, 1, 1e-12) << tau;
  }
  // Beyond the table the moments are found by quadrature.
  EXPECT_EQ(liquid.SlotMoment(1e-7), liquid.MomentsByQuadrature(1e-7).first);
}

// How much a relative change of the wall stress changes a flow, d ln q / d ln τ: large
// near a yield stress, where the flow is only as exact as the stress found for it.
double Conditioning(const std::function<double(double)>& flow, double tau) {
  const double step = 1e-7;
  return (flow(tau * (1 + step)) - flow(tau)) / (step * flow(tau));
}

// The inverses find the stress to a few units in the last place, so the flow they give back
// is exact to that times the conditioning.
constexpr double kStressResolution = 1e-14;

TEST(ModelFlows, WallStressesInvertEveryModelsFlows) {
  base::FaultFlagScope flags;
  for (const Case& c : Cases()) {
    const auto slot = [&](double t) { return c.liquid.SlotFlowPerWidth(t, 0.05); };
    const auto pipe = [&](double t) { return c.liquid.PipeFlow(t, 0.8); };
    for (double q : {1e-9, 1e-4, 0.01, 0.5, 40.0}) {
      const double tau = c.liquid.SlotWallStress(q, 0.05);
      EXPECT_NEAR(slot(tau) / q, 1, kStressResolution * std::fmax(1, Conditioning(slot, tau)))
          << c.name << " " << q;
      const double pipeTau = -c.liquid.PipeWallStress(-q, 0.8);
      EXPECT_NEAR(pipe(pipeTau) / q, 1,
                  kStressResolution * std::fmax(1, Conditioning(pipe, pipeTau)))
          << c.name << " " << q;
    }
  }
  EXPECT_EQ(std::fetestexcept(base::kFaultFlags), 0);
}

TEST(ModelFlows, CarreauYasudaTendsToTheNewtonianAndPowerLawLimits) {
  // λ → 0: the plateau η0 at every stress a die meets, once (λγ̇)^a is below a double's
  // resolution.
  const Liquid plateau(CarreauYasuda(CarreauYasudaCurve{3, 0, 1e-25, 0.8, 0.4}));
  const Liquid newtonian(Newtonian{3});
  for (double tau : {1e-3, 1.0, 1e3, 1e6}) {
    EXPECT_NEAR(plateau.SlotFlowPerWidth(tau, 0.05) / newtonian.SlotFlowPerWidth(tau, 0.05), 1,
                1e-11)
        << tau;
    EXPECT_NEAR(plateau.PipeFlow(tau, 1) / newtonian.PipeFlow(tau, 1), 1, 1e-11) << tau;
  }
  // η∞ = 0 and λγ̇ ≫ 1: the power law K = η0·λ^(n−1).
  const double eta0 = 40, lambda = 5, n = 0.35;
  const Liquid thinning(CarreauYasuda(CarreauYasudaCurve{eta0, 0, lambda, 2, n}));
  const Liquid powerLaw(PowerLaw{eta0 * std::pow(lambda, n - 1), n});
  for (double tau : {1e4, 1e5, 1e6}) {
    EXPECT_GT(thinning.ShearRate(tau) * lambda, 1e5);
    EXPECT_NEAR(thinning.SlotFlowPerWidth(tau, 0.05) / powerLaw.SlotFlowPerWidth(tau, 0.05), 1,
                1e-9)
        << tau;
    EXPECT_NEAR(thinning.PipeFlow(tau, 1) / powerLaw.PipeFlow(tau, 1), 1, 1e-9) << tau;
  }
  // Cross with λ → 0 too.
  const Liquid cross(Cross(CrossCurve{3, 0, 1e-30, 0.6}));
  EXPECT_NEAR(cross.SlotFlowPerWidth(1e3, 0.05) / newtonian.SlotFlowPerWidth(1e3, 0.05), 1, 1e-11);
}

TEST(ModelFlows, HerschelBulkleyIsThePowerLawWithoutAYieldStressAndStandsBelowIt) {
  const Liquid paste(HerschelBulkley{0, 4, 0.5});
  const Liquid powerLaw(PowerLaw{4, 0.5});
  EXPECT_DOUBLE_EQ(paste.SlotFlowPerWidth(300, 0.05), powerLaw.SlotFlowPerWidth(300, 0.05));
  EXPECT_DOUBLE_EQ(paste.PipeFlow(300, 1), powerLaw.PipeFlow(300, 1));

  const Liquid bingham(HerschelBulkley{10, 0.5, 1});
  EXPECT_EQ(bingham.SlotFlowPerWidth(10, 0.05), 0);
  EXPECT_EQ(bingham.PipeFlow(-9.99, 1), 0);
  EXPECT_EQ(bingham.ShearRate(10), 0);
  EXPECT_GT(bingham.SlotFlowPerWidth(10.001, 0.05), 0);
  // Buckingham–Reiner for a pipe: Q = πR³τw/(4μp)·(1 − 4/3·φ + φ⁴/3), φ = τy/τw.
  const double tau = 25, phi = 10.0 / 25;
  const double buckingham = M_PI * tau / (4 * 0.5) * (1 - 4 * phi / 3 + std::pow(phi, 4) / 3);
  EXPECT_NEAR(bingham.PipeFlow(tau, 1) / buckingham, 1, 1e-15);
  // The slot's: q = H²τw/(6μp)·(1 − 3φ/2 + φ³/2).
  const double slit = 0.05 * 0.05 * tau / (6 * 0.5) * (1 - 1.5 * phi + 0.5 * std::pow(phi, 3));
  EXPECT_NEAR(bingham.SlotFlowPerWidth(tau, 0.05) / slit, 1, 1e-15);
  // As the flow vanishes the wall stress falls to the yield stress, as √q in a slit.
  EXPECT_NEAR(bingham.SlotWallStress(1e-16, 0.05), 10, 1e-6);
}

}  // namespace
}  // namespace fluxeta::liquids
