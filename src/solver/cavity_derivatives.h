// The cavity flow equations: along the width the cavity loses liquid through the slot
// (dQ/dx) and its pressure changes under friction and the inertia of the slowing stream
// (dP/dx).
#pragma once

#include <optional>

#include "case/case_parameters.h"
#include "case/station_table.h"
#include "solver/state_vector.h"

namespace fluxeta::solver {

// The right-hand side for the station whose values the record `station` holds. It keeps
// a reference to the record: whoever rewrites the record calls StationChanged(). The
// factors that do not depend on the state are worked out once per station (cos θ once).
class CavityEquations {
 public:
  CavityEquations(const cases::CaseParameters& parameters, const cases::CurrentStation& station);

  void StationChanged() { stationFactorsKnown_ = false; }

  // dy[kFlow] = dQ/dx and dy[kPressure] = dP/dx for the state y; the other elements of dy
  // are left alone. x is not used: the station values hold over the whole interval.
  void operator()(double x, const StateVector& y, StateVector& dy);

 private:
  void WorkOutStationFactors();
  double SlotOutflow(double pressure) const;

  const cases::CaseParameters& parameters_;
  const cases::CurrentStation& station_;
  double cosTheta_;
  double inertiaFactor_;  // −2·ρ·α (g/cm3)

  // γ0^(m−1)/η0 (1/(Pa.s^m)) for the slot index m it was worked out for.
  double reciprocalConsistency_ = 0;
  std::optional<double> reciprocalConsistencyIndex_;

  // Factors of the current station.
  bool stationFactorsKnown_ = false;
  double newtonianConductance_ = 0;  // −H³/(12·ηcr) (cm3/(Pa·s)), constant viscosity
  double wallStressFactor_ = 0;      // γ0^(m−1)/η0 · H/2, power law
  double flowExponent_ = 0;          // 1/m, power law
  double slitProfileFactor_ = 0;     // (−m/(2m + 1))·H²/2 (cm2), power law
  double areaSquared_ = 0;           // A² (cm4)
  double eightAreaCubed_ = 0;        // 8·A³ (cm6)
};

// One evaluation of the cavity equations for `station`.
void CavityDerivatives(const cases::CaseParameters& parameters,
                       const cases::CurrentStation& station, double x, const StateVector& y,
                       StateVector& dy);

}  // namespace fluxeta::solver
