#include "fluxeta/solver/robust_plausible_designs.h"

#include <numbers>
#include <random>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"

namespace fluxeta::solver {

using base::Real;

namespace {

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

}  // namespace

std::vector<cases::CaseParameters> PlausibleDesigns(std::uint64_t seed, int count) {
  UniformDraws draw(seed);
  std::vector<cases::CaseParameters> designs;
  designs.reserve(count);
  for (int k = 0; k < count; ++k) {
    // The window's material and friction factor, the rest drawn.
    cases::CaseValues values = cases::DefaultCaseValues();
    const auto set = [&values](std::string_view name, double value) {
      values[*cases::FindInput(name)] = value;
    };
    const double area = draw(kEntranceArea);
    set("Ain", area);
    set("gamma", draw(kCavityTaper));
    // The perimeter of a circle of area Ain.
    set("Pein", (Real(2.0) * base::Sqrt(Real(std::numbers::pi) * area)).value());
    const double entranceSlotLength = draw(kEntranceSlotLength);
    set("Lin", entranceSlotLength);
    set("Lend", (Real(draw(kEndSlotLengthShare)) * entranceSlotLength).value());
    set("W", draw(kDieWidth));
    set("H", draw(kSlotGap));
    set("alpha", draw(kInertiaShapeFactor));
    set("rho", draw(kDensity));
    set("Qin", draw(kFlowRate));
    const cases::CaseParameters design = cases::MakeCase(values);
    designs.push_back(design);
  }
  return designs;
}

}  // namespace fluxeta::solver
