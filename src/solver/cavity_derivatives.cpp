#include "cavity_derivatives.h"

namespace fluxeta::solver {

using base::Real;

namespace {

// The outflow law divides the pressure by the slot length before anything else that
// depends on the state; a slot without length fails there, as P/0 or 0/0.
void RequireSlotLength(double slotLength, double pressure) {
  if (slotLength == 0) {
    base::RaiseFloatingPointFault(pressure == 0 ? base::FloatingPointFault::InvalidOperation
                                                : base::FloatingPointFault::DivisionByZero);
  }
}

}  // namespace

CavityEquations::SlotIndexFactors::SlotIndexFactors(const cases::CaseParameters& parameters,
                                                    double slotIndex)
    : index(slotIndex),
      reciprocalConsistency(
          (base::Power(parameters.gamma0, Real(slotIndex) - 1.0) / parameters.eta0).value()),
      wallShearRateOfStress((Real(1.0) / slotIndex).value()),
      profileFactor((-Real(slotIndex) / (Real(2.0) * slotIndex + 1.0)).value()) {}

CavityEquations::CavityEquations(const cases::CaseParameters& parameters,
                                 const solver::CurrentStation& station)
    : parameters_(parameters),
      station_(station),
      cosTheta_(base::Cos(parameters.theta).value()),
      inertiaFactor_((-Real(parameters.rho) * parameters.alpha * 2.0).value()) {}

void CavityEquations::WorkOutStationFactors(double pressure) {
  const Real gap = station_.H;
  if (station_.SlotNewtonian) {
    const Real conductance = -(gap * gap * gap) / (Real(12.0) * parameters_.etaCr);
    RequireSlotLength(station_.L, pressure);
    slotConductance_ = (conductance / station_.L).value();
  } else {
    if (!slotIndex_ || slotIndex_->index != station_.N_S) {
      slotIndex_ = SlotIndexFactors(parameters_, station_.N_S);
    }
    const Real halfGapStress = Real(slotIndex_->reciprocalConsistency) * (gap / 2.0);
    RequireSlotLength(station_.L, pressure);
    wallStressFactor_ = (halfGapStress / station_.L).value();
    slitProfileFactor_ = (Real(slotIndex_->profileFactor) * (gap * gap) / 2.0).value();
  }
  const Real area = station_.A;
  areaSquared_ = (area * area).value();
  // The duct's viscous resistance per unit of flow, along the inclined cavity.
  const Real perimeter = station_.Pe;
  frictionPerFlow_ = (Real(station_.APP_VIS_C) * perimeter * perimeter * parameters_.lambda /
                      (Real(8.0) * area * area * area) / cosTheta_)
                         .value();
  stationFactorsKnown_ = true;
}

void CavityDerivatives(const cases::CaseParameters& parameters,
                       const solver::CurrentStation& station, double x, const StateVector& y,
                       StateVector& dy) {
  CavityEquations equations(parameters, station);
  equations(x, y, dy);
}

}  // namespace fluxeta::solver
