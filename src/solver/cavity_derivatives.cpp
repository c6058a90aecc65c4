#include "solver/cavity_derivatives.h"

#include "case/checked_real.h"
#include "solver/power_in_double.h"

namespace fluxeta::solver {

using cases::Real;

namespace {

// ρ·Q·(dQ/dx)/A² comes out in g/(cm2·s2); one tenth of that is Pa/cm.
constexpr double kInertiaToPascalPerCm = 0.1;

}  // namespace

CavityEquations::CavityEquations(const cases::CaseParameters& parameters,
                                 const cases::CurrentStation& station)
    : parameters_(parameters),
      station_(station),
      cosTheta_(cases::Cos(parameters.theta).value()),
      inertiaFactor_((-Real(parameters.rho) * parameters.alpha * 2.0).value()) {}

void CavityEquations::WorkOutStationFactors() {
  const Real gap = station_.H;
  if (station_.SlotNewtonian) {
    newtonianConductance_ = (-(gap * gap * gap) / (Real(12.0) * parameters_.etaCr)).value();
  } else {
    const Real m = station_.N_S;
    if (reciprocalConsistencyIndex_ != station_.N_S) {
      reciprocalConsistency_ =
          (PowerInDouble(parameters_.gamma0, m - 1.0) / parameters_.eta0).value();
      reciprocalConsistencyIndex_ = station_.N_S;
    }
    wallStressFactor_ = (Real(reciprocalConsistency_) * (gap / 2.0)).value();
    flowExponent_ = (Real(1.0) / m).value();
    const Real profileFactor = -m / (Real(2.0) * m + 1.0);
    slitProfileFactor_ = (profileFactor * (gap * gap) / 2.0).value();
  }
  const Real area = station_.A;
  areaSquared_ = (area * area).value();
  eightAreaCubed_ = (Real(8.0) * area * area * area).value();
  stationFactorsKnown_ = true;
}

// Flow per unit width through a plane slit of gap H and length L under the pressure P,
// with the sign of an outflow: Poiseuille flow in the constant-viscosity regime, the
// power-law slit flow of index m = N_S otherwise.
double CavityEquations::SlotOutflow(double pressure) const {
  const Real pressureGradient = Real(pressure) / station_.L;  // Pa/cm
  if (station_.SlotNewtonian) {
    return (newtonianConductance_ * pressureGradient).value();
  }
  const Real wallShearRate =
      PowerInDouble(Real(wallStressFactor_) * pressureGradient, flowExponent_);  // 1/s
  return (wallShearRate * slitProfileFactor_).value();
}

void CavityEquations::operator()(double /*x*/, const StateVector& y, StateVector& dy) {
  if (!stationFactorsKnown_) {
    WorkOutStationFactors();
  }
  const Real flow = y[kFlow];
  dy[kFlow] = SlotOutflow(y[kPressure]);

  // The slowing stream regains pressure; friction along the inclined cavity loses it.
  const Real inertialTerm =
      (Real(inertiaFactor_) * flow / areaSquared_) * dy[kFlow] * kInertiaToPascalPerCm;
  const Real perimeter = station_.Pe;
  const Real frictionTerm = (Real(station_.APP_VIS_C) * flow * perimeter * perimeter *
                             parameters_.lambda / eightAreaCubed_) /
                            cosTheta_;
  dy[kPressure] = (inertialTerm - frictionTerm).value();
}

void CavityDerivatives(const cases::CaseParameters& parameters,
                       const cases::CurrentStation& station, double x, const StateVector& y,
                       StateVector& dy) {
  CavityEquations equations(parameters, station);
  equations(x, y, dy);
}

}  // namespace fluxeta::solver
