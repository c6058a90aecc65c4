// The cavity flow equations: along the width the cavity loses liquid through the slot
// (dQ/dx) and its pressure changes under friction and the inertia of the slowing stream
// (dP/dx).
#pragma once

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/power_rule.h"
#include "fluxeta/base/unchecked_real.h"
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
//
// Real is the arithmetic of the equations: base::Real raises the first fault where it
// happens; base::UncheckedReal leaves it in the fault flags for whoever checks them after
// a sweep.
template <typename Real = base::Real>
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

  void WorkOutSlotIndexFactors(double slotIndex);

  // Factors of the power-law slot outflow that depend on its index m only, for the last
  // power-law station.
  struct SlotIndexFactors {
    double index = 0;                                             // m
    double reciprocalConsistency = 0;                             // γ0^(m−1)/η0 (1/(Pa.s^m))
    base::FixedExponentPower<double> wallShearRateOfStress{1.0};  // b^(1/m)
    double profileFactor = 0;                                     // −m/(2m + 1)
  };
  bool slotIndexKnown_ = false;
  SlotIndexFactors slotIndex_;

  // Factors of the current station.
  bool stationFactorsKnown_ = false;
  double slotConductance_ = 0;    // −H³/(12·ηcr·L) (cm3/(Pa·s) per cm), constant viscosity
  double wallStressFactor_ = 0;   // γ0^(m−1)/η0·H/(2·L): b = this·P, power law
  double slitProfileFactor_ = 0;  // (−m/(2m + 1))·H²/2 (cm2), power law
  double areaSquared_ = 0;        // A² (cm4)
  double frictionPerFlow_ = 0;    // APP_VIS_C·Pe²·λ/(8·A³·cos θ) (Pa·s/cm4)
};

// The outflow law divides the pressure by the slot length before anything else that
// depends on the state; a slot without length fails there, as P/0 or 0/0.
void RequireSlotLength(double slotLength, double pressure);

template <typename Real>
void CavityEquations<Real>::WorkOutSlotIndexFactors(double slotIndex) {
  const base::FixedExponentPower<double> consistencyPower((Real(slotIndex) - 1.0).value());
  slotIndex_.index = slotIndex;
  slotIndex_.reciprocalConsistency =
      (consistencyPower(Real(parameters_.gamma0)) / parameters_.eta0).value();
  slotIndex_.wallShearRateOfStress =
      base::FixedExponentPower<double>((Real(1.0) / slotIndex).value());
  slotIndex_.profileFactor = (-Real(slotIndex) / (Real(2.0) * slotIndex + 1.0)).value();
  slotIndexKnown_ = true;
}

template <typename Real>
CavityEquations<Real>::CavityEquations(const cases::CaseParameters& parameters,
                                       const solver::CurrentStation& station)
    : parameters_(parameters),
      station_(station),
      cosTheta_(base::Cos(Real(parameters.theta)).value()),
      inertiaFactor_((-Real(parameters.rho) * parameters.alpha * 2.0).value()) {}

template <typename Real>
void CavityEquations<Real>::WorkOutStationFactors(double pressure) {
  const Real gap = station_.H;
  if (station_.SlotNewtonian) {
    const Real conductance = -(gap * gap * gap) / (Real(12.0) * parameters_.etaCr);
    if constexpr (base::kChecksEachOperation<Real>) {
      RequireSlotLength(station_.L, pressure);
    }
    slotConductance_ = (conductance / station_.L).value();
  } else {
    if (!slotIndexKnown_ || slotIndex_.index != station_.N_S) {
      WorkOutSlotIndexFactors(station_.N_S);
    }
    const Real halfGapStress = Real(slotIndex_.reciprocalConsistency) * (gap / 2.0);
    if constexpr (base::kChecksEachOperation<Real>) {
      RequireSlotLength(station_.L, pressure);
    }
    wallStressFactor_ = (halfGapStress / station_.L).value();
    slitProfileFactor_ = (Real(slotIndex_.profileFactor) * (gap * gap) / 2.0).value();
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

// Flow per unit width through a plane slit of gap H and length L under the pressure P,
// with the sign of an outflow: Poiseuille flow in the constant-viscosity regime, the
// power-law slit flow of index m = N_S otherwise.
template <typename Real>
inline double CavityEquations<Real>::SlotOutflow(double pressure) const {
  if (station_.SlotNewtonian) {
    return (Real(slotConductance_) * pressure).value();
  }
  const Real wallShearRate =
      slotIndex_.wallShearRateOfStress(Real(wallStressFactor_) * pressure);  // 1/s
  return (wallShearRate * slitProfileFactor_).value();
}

template <typename Real>
inline void CavityEquations<Real>::operator()(double /*x*/, const StateVector& y, StateVector& dy) {
  if (!stationFactorsKnown_) {
    WorkOutStationFactors(y[kPressure]);
  }
  const Real flow = y[kFlow];
  dy[kFlow] = SlotOutflow(y[kPressure]);

  // The slowing stream regains pressure; friction along the inclined cavity loses it.
  const Real inertiaPerOutflow = Real(inertiaFactor_) * flow / areaSquared_ * kInertiaToPascalPerCm;
  const Real inertialTerm = inertiaPerOutflow * dy[kFlow];
  const Real frictionTerm = Real(frictionPerFlow_) * flow;
  dy[kPressure] = (inertialTerm - frictionTerm).value();
}

// One evaluation of the cavity equations for `station`.
template <typename Real = base::Real>
void CavityDerivatives(const cases::CaseParameters& parameters,
                       const solver::CurrentStation& station, double x, const StateVector& y,
                       StateVector& dy) {
  CavityEquations<Real> equations(parameters, station);
  equations(x, y, dy);
}

}  // namespace fluxeta::solver
