#include "solver/rheology.h"

#include "case/checked_real.h"
#include "solver/die_geometry.h"
#include "solver/power_in_double.h"

namespace fluxeta::solver {

using cases::Abs;

using cases::Real;

namespace {

// The slot index of the constant-viscosity regime.
constexpr double kNewtonianIndex = 1.0;

// Apparent shear rate of the cavity flow Q_i in a duct of hydraulic diameter Dh_i (1/s).
Real CavityApparentShearRate(const cases::CaseParameters& parameters,
                             const cases::StationTable& table, int i) {
  const Real lambda = parameters.lambda;
  return Abs(lambda * table.Q[i] / (Real(2.0) * table.A[i] * table.Dh[i]));
}

// Power-law apparent viscosity above τ, ηcr at or below it.
void SetCavityViscosity(const cases::CaseParameters& parameters, const PowerLawConstants& constants,
                        Real cavityShearRate, cases::StationTable& table, int i) {
  if (cavityShearRate > constants.criticalApparentShearRate) {
    const Real powerLawIndex = parameters.n;
    table.APP_VIS_C[i] = (Real(constants.cavityCorrection) * constants.consistency *
                          PowerInDouble(cavityShearRate, powerLawIndex - 1.0))
                             .value();
  } else {
    table.APP_VIS_C[i] = parameters.etaCr;
  }
}

// Apparent (Newtonian) shear rate of the slot flow DelQ_i spread over one interval (1/s).
Real ApparentSlotShearRate(const cases::StationTable& table, double segmentLength, int i) {
  const Real gap = table.H[i];
  return Abs(Real(6.0) * table.DelQ[i] / (Real(segmentLength) * (gap * gap)));
}

// Wall shear rate of a liquid of local index N_S in the slot: (2N + 1)/(3N) times the
// apparent value, which it equals for N = 1.
Real SlotWallShearRate(const cases::StationTable& table, double segmentLength, int i) {
  const Real index = table.N_S[i];
  const Real gap = table.H[i];
  const Real indexFactor = (Real(2.0) * index + 1.0) / index;
  return Abs(indexFactor * (Real(2.0) * table.DelQ[i] / segmentLength) / (gap * gap));
}

Real PowerLawSlotViscosity(const cases::CaseParameters& parameters,
                           const PowerLawConstants& constants, Real slotShearRate) {
  const Real powerLawIndex = parameters.n;
  return Real(constants.consistency) * PowerInDouble(slotShearRate, powerLawIndex - 1.0);
}

void SetUpStationRheology(const cases::CaseParameters& parameters,
                          const PowerLawConstants& constants, double segmentLength,
                          cases::StationTable& table, int i) {
  const Real Qin = parameters.Qin;
  const Real evenShare = Qin / cases::StationCount;  // cm3/s per interval
  table.Q[i] = (Qin - evenShare * Real(i - 1)).value();
  table.DelQ[i] = evenShare.value();

  const Real cavityShearRate = CavityApparentShearRate(parameters, table, i);
  table.APP_SR_C[i] = cavityShearRate.value();
  const Real apparentSlotShearRate = ApparentSlotShearRate(table, segmentLength, i);
  SetCavityViscosity(parameters, constants, cavityShearRate, table, i);

  const Real gap = table.H[i];
  table.SR_S[i] = Abs(Real(table.DelQ[i]) / segmentLength * 6.0 / (gap * gap)).value();
  if (apparentSlotShearRate > constants.criticalApparentShearRate) {
    table.N_S[i] = parameters.n;
    table.VIS_S[i] = PowerLawSlotViscosity(parameters, constants, table.SR_S[i]).value();
    table.SlotNewtonian[i] = false;
  } else {
    table.N_S[i] = kNewtonianIndex;
    table.VIS_S[i] = parameters.etaCr;
    table.SlotNewtonian[i] = true;
  }
}

void UpdateOneStation(const cases::CaseParameters& parameters, const PowerLawConstants& constants,
                      double segmentLength, cases::StationTable& table, int i) {
  // All the flow that reaches the last station leaves through the last interval.
  table.DelQ[i] =
      i < cases::StationCount ? (Real(table.Q[i]) - table.Q[i + 1]).value() : table.Q[i];

  const Real cavityShearRate = CavityApparentShearRate(parameters, table, i);
  table.APP_SR_C[i] = cavityShearRate.value();
  const Real apparentSlotShearRate = ApparentSlotShearRate(table, segmentLength, i);
  SetCavityViscosity(parameters, constants, cavityShearRate, table, i);

  const bool powerLaw = apparentSlotShearRate > constants.criticalApparentShearRate;
  table.N_S[i] = powerLaw ? parameters.n : kNewtonianIndex;
  table.SR_S[i] = SlotWallShearRate(table, segmentLength, i).value();
  table.VIS_S[i] = powerLaw ? PowerLawSlotViscosity(parameters, constants, table.SR_S[i]).value()
                            : parameters.etaCr;
  table.SlotNewtonian[i] = !powerLaw;
}

}  // namespace

PowerLawConstants ComputePowerLawConstants(const cases::CaseParameters& parameters) {
  const Real eta0 = parameters.eta0;
  const Real gamma0 = parameters.gamma0;
  const Real n = parameters.n;

  PowerLawConstants constants;
  constants.consistency = (eta0 / PowerInDouble(gamma0, n - 1.0)).value();
  // Ratio of the wall shear rate to the apparent one of a power-law liquid in a duct.
  const Real shearRateCorrection = (Real(3.0) * n + 1.0) / (Real(4.0) * n);
  constants.cavityCorrection = PowerInDouble(shearRateCorrection, n).value();
  const Real apparentConsistency =
      eta0 * constants.cavityCorrection / PowerInDouble(gamma0, n - 1.0);
  constants.criticalApparentShearRate =
      PowerInDouble(Real(parameters.etaCr) / apparentConsistency, Real(1.0) / (n - 1.0)).value();
  return constants;
}

double CriticalApparentShearRate(const cases::CaseParameters& parameters) {
  return ComputePowerLawConstants(parameters).criticalApparentShearRate;
}

void SetUpStations(const cases::CaseParameters& parameters, cases::StationTable& table,
                   cases::SolverState& state) {
  SetStationGeometry(parameters, table);
  state.SegmentLength = (Real(parameters.W) / cases::StationCount).value();
  const PowerLawConstants constants = ComputePowerLawConstants(parameters);
  for (int i = 1; i <= cases::StationCount; ++i) {
    SetUpStationRheology(parameters, constants, state.SegmentLength, table, i);
  }
}

void UpdateStationRheology(const cases::CaseParameters& parameters, cases::StationTable& table,
                           const cases::SolverState& state) {
  const PowerLawConstants constants = ComputePowerLawConstants(parameters);
  for (int i = 1; i <= cases::StationCount; ++i) {
    UpdateOneStation(parameters, constants, state.SegmentLength, table, i);
  }
}

}  // namespace fluxeta::solver
