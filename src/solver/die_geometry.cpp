#include "die_geometry.h"

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/power_rule.h"

namespace fluxeta::solver {

using base::Real;

namespace {

// The area at x with the taper's power (1 − x/W)^γ settled once for all stations.
double CavityAreaAt(const cases::CaseParameters& parameters,
                    const base::FixedExponentPower<double>& taper, double x) {
  const Real W = parameters.W;
  const Real remainingFraction = Real(1.0) - Real(x) / W;
  return (parameters.Ain * taper(remainingFraction)).value();
}

}  // namespace

double CavityAreaAt(const cases::CaseParameters& parameters, double x) {
  return CavityAreaAt(parameters, base::FixedExponentPower<double>(parameters.gamma), x);
}

double SlotLengthAt(const cases::CaseParameters& parameters, double x) {
  const Real W = parameters.W;
  const Real lengthFall = Real(parameters.Lin) - parameters.Lend;  // cm over the width
  return (parameters.Lend + lengthFall * (W - x) / W).value();
}

void SetStationGeometry(const cases::CaseParameters& parameters, cases::StationTable& table) {
  const Real W = parameters.W;
  const base::FixedExponentPower<double> taper(parameters.gamma);
  for (int i = 1; i <= cases::StationCount; ++i) {
    table.X[i] = (Real(i - 1) * W / cases::StationCount).value();
    table.A[i] = CavityAreaAt(parameters, taper, table.X[i]);
    table.L[i] = SlotLengthAt(parameters, table.X[i]);
    // The cavity keeps its shape while it tapers, so the perimeter scales with √area.
    table.Pe[i] = (parameters.Pein * base::Sqrt(Real(table.A[i]) / parameters.Ain)).value();
    table.Dh[i] = (Real(4.0) * table.A[i] / table.Pe[i]).value();
    table.H[i] = parameters.H;
  }
}

}  // namespace fluxeta::solver
