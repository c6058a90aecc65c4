// The liquid at every station: a power law at high shear rates, the constant viscosity
// ηcr below the critical apparent shear rate, decided separately for cavity and slot.
#pragma once

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/power_rule.h"
#include "fluxeta/base/unchecked_real.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "solver_state.h"

namespace fluxeta::solver {

// The slot index N_S of the constant-viscosity regime.
inline constexpr double kNewtonianSlotIndex = 1.0;

// Material constants of one solve.
struct PowerLawConstants {
  double consistency = 0;                // K = η0/γ0^(n−1) (Pa.s^n)
  double cavityCorrection = 0;           // Kn = ((3n + 1)/(4n))^n (–)
  double criticalApparentShearRate = 0;  // τ (1/s), where Kn·K·τ^(n−1) = ηcr
};

// K, Kn and τ, in that order.
PowerLawConstants ComputePowerLawConstants(const cases::CaseParameters& parameters);

// τ (1/s): the apparent shear rate above which cavity and slot follow the power law.
double CriticalApparentShearRate(const cases::CaseParameters& parameters);

// The update pass's rules for one station at a time, for a search that settles each
// station's rheology inside its sweep from that sweep's own flows. Real is the arithmetic
// of the station's formulas (base::Real, or base::UncheckedReal in a unit checked by the
// fault flags); the constants of the solve are checked where the rules are made.
class StationRheologyRules {
 public:
  StationRheologyRules(const cases::CaseParameters& parameters, double segmentLength);

  // τ (1/s).
  double CriticalApparentShearRate() const { return constants_.criticalApparentShearRate; }

  // APP_SR_C_i and APP_VIS_C_i from Q_i.
  template <typename Real = base::Real>
  void SetCavityRheology(cases::StationTable& table, int i) const;

  // Apparent shear rate |6·DelQ_i/(Δx·H_i²)| of the slot flow DelQ_i (1/s).
  template <typename Real = base::Real>
  double ApparentSlotShearRate(const cases::StationTable& table, int i) const;

  // The regime the update pass gives the slot flow DelQ_i: the power law above τ.
  template <typename Real = base::Real>
  bool SlotFollowsPowerLaw(const cases::StationTable& table, int i) const {
    return ApparentSlotShearRate<Real>(table, i) > constants_.criticalApparentShearRate;
  }

  // N_S_i, SR_S_i, VIS_S_i and SlotNewtonian_i of the given regime, from DelQ_i.
  template <typename Real = base::Real>
  void SetSlotRheology(cases::StationTable& table, int i, bool powerLaw) const;

  // The whole update pass of station i: DelQ_i from Q_i and Q_(i+1) (Q_50 alone for the
  // last station), then cavity and slot.
  template <typename Real = base::Real>
  void UpdateStation(cases::StationTable& table, int i) const;

  const cases::CaseParameters& parameters() const { return parameters_; }
  const PowerLawConstants& constants() const { return constants_; }
  double segmentLength() const { return segmentLength_; }
  // γ^(n−1).
  template <typename Real = base::Real>
  Real ShearThinning(Real shearRate) const {
    return shearThinning_(shearRate);
  }
  // K·γ^(n−1) (Pa.s).
  template <typename Real = base::Real>
  Real PowerLawViscosity(Real shearRate) const {
    return Real(constants_.consistency) * shearThinning_(shearRate);
  }

 private:
  const cases::CaseParameters& parameters_;
  PowerLawConstants constants_;
  base::FixedExponentPower<double> shearThinning_;  // γ^(n−1)
  double segmentLength_;                            // Δx (cm)
};

// Geometry of the 50 stations, the segment length, and a first rheology on a linear
// flow profile (Q falling from Qin to Qin/50, an even slot flow Qin/50 per interval).
void SetUpStations(const cases::CaseParameters& parameters, cases::StationTable& table,
                   solver::SolverState& state);

// Slot flows, shear rates, regimes and viscosities of stations 1 … 50 from the cavity
// flows Q_1 … Q_51 that the last sweep left.
void UpdateStationRheology(const cases::CaseParameters& parameters, cases::StationTable& table,
                           const solver::SolverState& state);

}  // namespace fluxeta::solver
