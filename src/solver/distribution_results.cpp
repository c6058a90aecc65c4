#include "distribution_results.h"

#include "fluxeta/base/checked_real.h"

namespace fluxeta::solver {

using base::Real;

namespace {

constexpr double kPercent = 100.0;

// Time along the cavity to the middle of each interval; the cavity runs at the taper
// angle, so an interval's path is (W/50)/cos θ.
void SetCavityResidenceTimes(const cases::CaseParameters& parameters, cases::StationTable& table) {
  const Real segmentLength = Real(parameters.W) / cases::StationCount;
  const Real cosTheta = base::Cos(parameters.theta);
  Real elapsed = 0.0;  // s
  for (int i = 1; i <= cases::StationCount; ++i) {
    const Real cavityVelocity = Real(table.Q[i]) / table.A[i];  // cm/s
    const Real intervalTime = segmentLength / (cosTheta * cavityVelocity);
    elapsed += intervalTime;
    table.RTime[i] = (elapsed - intervalTime / 2.0).value();
  }
}

// Time to cross the slot at the mean slot velocity of each interval, added.
void AddSlotResidenceTimes(const cases::CaseParameters& parameters, cases::StationTable& table) {
  const Real segmentLength = Real(parameters.W) / cases::StationCount;
  for (int i = 1; i <= cases::StationCount; ++i) {
    const Real slotVelocity = Real(table.DelQ[i]) / (segmentLength * table.H[i]);  // cm/s
    table.RTime[i] = (Real(table.RTime[i]) + Real(table.L[i]) / slotVelocity).value();
  }
}

void SetFlowDeviations(const cases::CaseParameters& parameters, cases::StationTable& table) {
  const Real evenShare = Real(parameters.Qin) / cases::StationCount;
  for (int i = 1; i <= cases::StationCount; ++i) {
    table.Q_DIFF[i] = ((Real(table.DelQ[i]) / evenShare - 1.0) * kPercent).value();
  }
}

void SetUniformity(cases::StationTable& table) {
  Real total = 0.0;
  for (int i = 1; i <= cases::StationCount; ++i) {
    total += table.DelQ[i];
  }
  const Real mean = total / cases::StationCount;
  table.DelQRms = RmsDeviation(cases::StationCount, table.DelQ, mean.value());
  table.Uniformity = (Real(1.0) - Real(table.DelQRms) / mean).value();
}

}  // namespace

double RmsDeviation(int count, const cases::StationValues& values, double reference) {
  Real sumOfSquares = 0.0;
  for (int i = 1; i <= count; ++i) {
    const Real deviation = Real(values[i]) - reference;
    sumOfSquares += deviation * deviation;
  }
  return base::Sqrt(sumOfSquares / count).value();
}

void ComputeDistributionResults(const cases::CaseParameters& parameters,
                                cases::StationTable& table) {
  SetCavityResidenceTimes(parameters, table);
  AddSlotResidenceTimes(parameters, table);
  SetFlowDeviations(parameters, table);
  SetUniformity(table);
}

}  // namespace fluxeta::solver
