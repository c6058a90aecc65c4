// The liquid at every station: a power law at high shear rates, the constant viscosity
// ηcr below the critical apparent shear rate, decided separately for cavity and slot.
#pragma once

#include "case/case_parameters.h"
#include "case/station_table.h"
#include "solver/solver_state.h"

namespace fluxeta::solver {

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

// Geometry of the 50 stations, the segment length, and a first rheology on a linear
// flow profile (Q falling from Qin to Qin/50, an even slot flow Qin/50 per interval).
void SetUpStations(const cases::CaseParameters& parameters, cases::StationTable& table,
                   solver::SolverState& state);

// Slot flows, shear rates, regimes and viscosities of stations 1 … 50 from the cavity
// flows Q_1 … Q_51 that the last sweep left.
void UpdateStationRheology(const cases::CaseParameters& parameters, cases::StationTable& table,
                           const solver::SolverState& state);

}  // namespace fluxeta::solver
