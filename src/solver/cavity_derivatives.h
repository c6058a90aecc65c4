// The cavity flow equations: along the width the cavity loses liquid through the slot
// (dQ/dx) and its pressure changes under friction and the inertia of the slowing stream
// (dP/dx).
#pragma once

#include <optional>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/power_rule.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "solver_state.h"
#include "state_vector.h"

namespace fluxeta::solver {

// ρ·Q·(dQ/dx)/A² comes out in g/(cm2·s2); one tenth of that is Pa/cm.
inline constexpr double kInertiaToPascalPerCm = 0.1;

// The right-hand side for the station whose values the record `station` holds. It keeps
// a reference to the record: whoever rewrites the record calls StationChanged().
//
// The integration is a chain of dependent operations, evaluated 10,000 times in a long
// solve, so everything that does not depend on the state is worked out once per station,
// at its first evaluation: the slot's factors over the slot length L (the outflow law's
// P/L becomes P times a coefficient), the friction per unit of flow, and cos θ once per
// solve. Only the last digits of a double differ from evaluating each formula whole.
class CavityEquations {
 public:
  CavityEquations(const cases::CaseParameters& parameters, const solver::CurrentStation& station);

  void StationChanged() { stationFactorsKnown_ = false; }

  // dy[kFlow] = dQ/dx and dy[kPressure] = dP/dx for the state y; the other elements of dy
  // are left alone. x is not used: the station values hold over the whole interval.
  void operator()(double x, const StateVector& y, StateVector& dy);

 private:
  void WorkOutStationFactors(double pressure);
  double SlotOutflow(double pressure) const;

  const cases::CaseParameters& parameters_;
  const solver::CurrentStation& station_;
  double cosTheta_;
  double inertiaFactor_;  // −2·ρ·α (g/cm3)

  // Factors of the power-law slot outflow that depend on its index m only.
  struct SlotIndexFactors {
    SlotIndexFactors(const cases::CaseParameters& parameters, double slotIndex);

    double index;                                            // m
    double reciprocalConsistency;                            // γ0^(m−1)/η0 (1/(Pa.s^m))
    base::FixedExponentPower<double> wallShearRateOfStress;  // b^(1/m)
    double profileFactor;                                    // −m/(2m + 1)
  };
  std::optional<SlotIndexFactors> slotIndex_;  // for the last power-law station

  // Factors of the current station.
  bool stationFactorsKnown_ = false;
  double slotConductance_ = 0;    // −H³/(12·ηcr·L) (cm3/(Pa·s) per cm), constant viscosity
  double wallStressFactor_ = 0;   // γ0^(m−1)/η0·H/(2·L): b = this·P, power law
  double slitProfileFactor_ = 0;  // (−m/(2m + 1))·H²/2 (cm2), power law
  double areaSquared_ = 0;        // A² (cm4)
  double frictionPerFlow_ = 0;    // APP_VIS_C·Pe²·λ/(8·A³·cos θ) (Pa·s/cm4)
};

// Flow per unit width through a plane slit of gap H and length L under the pressure P,
// with the sign of an outflow: Poiseuille flow in the constant-viscosity regime, the
// power-law slit flow of index m = N_S otherwise.
inline double CavityEquations::SlotOutflow(double pressure) const {
  if (station_.SlotNewtonian) {
    return (base::Real(slotConductance_) * pressure).value();
  }
  const base::Real wallShearRate =
      slotIndex_->wallShearRateOfStress(base::Real(wallStressFactor_) * pressure);  // 1/s
  return (wallShearRate * slitProfileFactor_).value();
}

inline void CavityEquations::operator()(double /*x*/, const StateVector& y, StateVector& dy) {
  if (!stationFactorsKnown_) {
    WorkOutStationFactors(y[kPressure]);
  }
  const base::Real flow = y[kFlow];
  dy[kFlow] = SlotOutflow(y[kPressure]);

  // The slowing stream regains pressure; friction along the inclined cavity loses it.
  const base::Real inertiaPerOutflow =
      base::Real(inertiaFactor_) * flow / areaSquared_ * kInertiaToPascalPerCm;
  const base::Real inertialTerm = inertiaPerOutflow * dy[kFlow];
  const base::Real frictionTerm = base::Real(frictionPerFlow_) * flow;
  dy[kPressure] = (inertialTerm - frictionTerm).value();
}

// One evaluation of the cavity equations for `station`.
void CavityDerivatives(const cases::CaseParameters& parameters,
                       const solver::CurrentStation& station, double x, const StateVector& y,
                       StateVector& dy);

}  // namespace fluxeta::solver
