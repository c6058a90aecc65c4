// How evenly the die spreads the liquid: residence times, the deviation of each
// interval's slot flow from the even share, and the uniformity of the whole die.
#pragma once

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"

namespace fluxeta::solver {

// √(Σ (values_i − reference)² / count) over elements 1 … count: the population form.
double RmsDeviation(int count, const cases::StationValues& values, double reference);

// RTime, Q_DIFF, DelQRms and Uniformity from the converged table.
void ComputeDistributionResults(const cases::CaseParameters& parameters,
                                cases::StationTable& table);

}  // namespace fluxeta::solver
