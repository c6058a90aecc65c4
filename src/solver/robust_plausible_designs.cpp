#include "solver/robust_plausible_designs.h"

#include <numbers>
#include <random>

#include "base/checked_real.h"
#include "base/power_rule.h"

namespace fluxeta::solver {

using cases::Real;

namespace {

// The window's fixed material and friction factor.
constexpr double kFrictionShapeFactor = 16.0;  // λ
constexpr double kReferenceViscosity = 10.0;   // η0 (Pa.s)
constexpr double kReferenceShearRate = 1.0;    // γ0 (1/s)
constexpr double kPowerLawIndex = 0.5;         // n
constexpr double kCriticalShearRate = 50.0;    // γcr (1/s)

struct Range {
  double low;
  double high;
};

constexpr Range kEntranceArea{1.0, 10.0};       // cm2
constexpr Range kCavityTaper{0.0, 1.5};         // –
constexpr Range kEntranceSlotLength{1.0, 5.0};  // cm
constexpr Range kEndSlotLengthShare{0.3, 1.0};  // of Lin
constexpr Range kDieWidth{20.0, 200.0};         // cm
constexpr Range kSlotGap{0.01, 0.1};            // cm
constexpr Range kInertiaShapeFactor{0.5, 2.0};  // –
constexpr Range kDensity{0.8, 1.5};             // g/cm3
constexpr Range kFlowRate{1.0, 100.0};          // cm3/s

// Uniform draws from the 53 high bits of a 64-bit Mersenne twister, whose output the
// language fixes, unlike that of its distributions.
class UniformDraws {
 public:
  explicit UniformDraws(std::uint64_t seed) : generator_(seed) {}

  double operator()(Range range) {
    constexpr int kDiscardedBits = 11;
    constexpr double kUnit = 0x1p-53;
    const Real unit = Real(static_cast<double>(generator_() >> kDiscardedBits)) * kUnit;
    return (Real(range.low) + unit * (Real(range.high) - range.low)).value();
  }

 private:
  std::mt19937_64 generator_;
};

// ηcr with the consistency carried wide, as the window derives it, and θ.
void SetDerivedValues(cases::CaseParameters& design) {
  const cases::WideReal exponent = cases::WideReal(design.n) - 1.0L;
  const cases::WideReal consistency =
      cases::WideReal(design.eta0) / cases::WidePower(design.gamma0, exponent);
  design.etaCr =
      cases::StoreAsDouble(consistency * cases::WidePower(design.gammaCr, exponent)).value();
  design.theta = cases::Atan((Real(design.Lin) - Real(design.Lend)) / Real(design.W)).value();
}

}  // namespace

std::vector<cases::CaseParameters> PlausibleDesigns(std::uint64_t seed, int count) {
  UniformDraws draw(seed);
  std::vector<cases::CaseParameters> designs;
  designs.reserve(count);
  for (int k = 0; k < count; ++k) {
    cases::CaseParameters design;
    design.Ain = draw(kEntranceArea);
    design.gamma = draw(kCavityTaper);
    // The perimeter of a circle of area Ain.
    design.Pein = (Real(2.0) * cases::Sqrt(Real(std::numbers::pi) * design.Ain)).value();
    design.Lin = draw(kEntranceSlotLength);
    design.Lend = (Real(draw(kEndSlotLengthShare)) * design.Lin).value();
    design.W = draw(kDieWidth);
    design.H = draw(kSlotGap);
    design.lambda = kFrictionShapeFactor;
    design.alpha = draw(kInertiaShapeFactor);
    design.eta0 = kReferenceViscosity;
    design.gamma0 = kReferenceShearRate;
    design.n = kPowerLawIndex;
    design.gammaCr = kCriticalShearRate;
    design.rho = draw(kDensity);
    design.Qin = draw(kFlowRate);
    SetDerivedValues(design);
    designs.push_back(design);
  }
  return designs;
}

}  // namespace fluxeta::solver
