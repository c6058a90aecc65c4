#include "rheology.h"

#include <cmath>

#include "die_geometry.h"
#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/fault_flags.h"
#include "fluxeta/base/power_rule.h"
#include "fluxeta/base/unchecked_real.h"

namespace fluxeta::solver {

using base::Real;

namespace {

// |x|, which cannot fail; inline, as a pass takes three per station.
template <typename Number>
Number Magnitude(Number x) {
  return std::fabs(x.value());
}

// Apparent shear rate of the cavity flow Q_i in a duct of hydraulic diameter Dh_i (1/s).
template <typename Number>
Number CavityApparentShearRate(const StationRheologyRules& liquid, const cases::StationTable& table,
                               int i) {
  const Number lambda = liquid.parameters().lambda;
  return Magnitude(lambda * table.Q[i] / (Number(2.0) * table.A[i] * table.Dh[i]));
}

// Power-law apparent viscosity above τ, ηcr at or below it.
template <typename Number>
void SetCavityViscosity(const StationRheologyRules& liquid, Number cavityShearRate,
                        cases::StationTable& table, int i) {
  const PowerLawConstants& constants = liquid.constants();
  if (cavityShearRate > constants.criticalApparentShearRate) {
    table.APP_VIS_C[i] = (Number(constants.cavityCorrection) * constants.consistency *
                          liquid.ShearThinning(cavityShearRate))
                             .value();
  } else {
    table.APP_VIS_C[i] = liquid.parameters().etaCr;
  }
}

// Wall shear rate of a liquid of local index N_S in the slot: (2N + 1)/(3N) times the
// apparent value, which it equals for N = 1.
template <typename Number>
Number SlotWallShearRate(const StationRheologyRules& liquid, const cases::StationTable& table,
                         int i) {
  const Number index = table.N_S[i];
  const Number gap = table.H[i];
  const Number indexFactor = (Number(2.0) * index + 1.0) / index;
  return Magnitude(indexFactor * (Number(2.0) * table.DelQ[i] / liquid.segmentLength()) /
                   (gap * gap));
}

void SetUpStationRheology(const StationRheologyRules& liquid, cases::StationTable& table, int i) {
  const cases::CaseParameters& parameters = liquid.parameters();
  const Real Qin = parameters.Qin;
  const Real evenShare = Qin / cases::StationCount;  // cm3/s per interval
  table.Q[i] = (Qin - evenShare * Real(i - 1)).value();
  table.DelQ[i] = evenShare.value();

  const Real cavityShearRate = CavityApparentShearRate<Real>(liquid, table, i);
  table.APP_SR_C[i] = cavityShearRate.value();
  const bool powerLaw = liquid.SlotFollowsPowerLaw(table, i);
  SetCavityViscosity(liquid, cavityShearRate, table, i);

  const Real gap = table.H[i];
  table.SR_S[i] =
      Magnitude(Real(table.DelQ[i]) / liquid.segmentLength() * 6.0 / (gap * gap)).value();
  if (powerLaw) {
    table.N_S[i] = parameters.n;
    table.VIS_S[i] = liquid.PowerLawViscosity(Real(table.SR_S[i])).value();
    table.SlotNewtonian[i] = false;
  } else {
    table.N_S[i] = kNewtonianSlotIndex;
    table.VIS_S[i] = parameters.etaCr;
    table.SlotNewtonian[i] = true;
  }
}

}  // namespace

PowerLawConstants ComputePowerLawConstants(const cases::CaseParameters& parameters) {
  const Real eta0 = parameters.eta0;
  const Real gamma0 = parameters.gamma0;
  const Real n = parameters.n;

  PowerLawConstants constants;
  constants.consistency = (eta0 / base::Power(gamma0, n - 1.0)).value();
  // Ratio of the wall shear rate to the apparent one of a power-law liquid in a duct.
  const Real shearRateCorrection = (Real(3.0) * n + 1.0) / (Real(4.0) * n);
  constants.cavityCorrection = base::Power(shearRateCorrection, n).value();
  const Real apparentConsistency = eta0 * constants.cavityCorrection / base::Power(gamma0, n - 1.0);
  constants.criticalApparentShearRate =
      base::Power(Real(parameters.etaCr) / apparentConsistency, Real(1.0) / (n - 1.0)).value();
  return constants;
}

double CriticalApparentShearRate(const cases::CaseParameters& parameters) {
  return ComputePowerLawConstants(parameters).criticalApparentShearRate;
}

StationRheologyRules::StationRheologyRules(const cases::CaseParameters& parameters,
                                           double segmentLength)
    : parameters_(parameters),
      constants_(ComputePowerLawConstants(parameters)),
      shearThinning_((Real(parameters.n) - 1.0).value()),
      segmentLength_(segmentLength) {}

template <typename Number>
void StationRheologyRules::SetCavityRheology(cases::StationTable& table, int i) const {
  const Number cavityShearRate = CavityApparentShearRate<Number>(*this, table, i);
  table.APP_SR_C[i] = cavityShearRate.value();
  SetCavityViscosity(*this, cavityShearRate, table, i);
}

template <typename Number>
double StationRheologyRules::ApparentSlotShearRate(const cases::StationTable& table, int i) const {
  const Number gap = table.H[i];
  return Magnitude(Number(6.0) * table.DelQ[i] / (Number(segmentLength_) * (gap * gap))).value();
}

template <typename Number>
void StationRheologyRules::SetSlotRheology(cases::StationTable& table, int i, bool powerLaw) const {
  table.N_S[i] = powerLaw ? parameters_.n : kNewtonianSlotIndex;
  table.SR_S[i] = SlotWallShearRate<Number>(*this, table, i).value();
  table.VIS_S[i] = powerLaw ? PowerLawViscosity(Number(table.SR_S[i])).value() : parameters_.etaCr;
  table.SlotNewtonian[i] = !powerLaw;
}

template <typename Number>
void StationRheologyRules::UpdateStation(cases::StationTable& table, int i) const {
  // All the flow that reaches the last station leaves through the last interval.
  table.DelQ[i] =
      i < cases::StationCount ? (Number(table.Q[i]) - table.Q[i + 1]).value() : table.Q[i];
  const Number cavityShearRate = CavityApparentShearRate<Number>(*this, table, i);
  table.APP_SR_C[i] = cavityShearRate.value();
  const bool powerLaw = SlotFollowsPowerLaw<Number>(table, i);
  SetCavityViscosity(*this, cavityShearRate, table, i);
  SetSlotRheology<Number>(table, i, powerLaw);
}

#define FLUXETA_STATION_RULES(Number)                                                             \
  template void StationRheologyRules::SetCavityRheology<Number>(cases::StationTable&, int) const; \
  template double StationRheologyRules::ApparentSlotShearRate<Number>(const cases::StationTable&, \
                                                                      int) const;                 \
  template void StationRheologyRules::SetSlotRheology<Number>(cases::StationTable&, int, bool)    \
      const;                                                                                      \
  template void StationRheologyRules::UpdateStation<Number>(cases::StationTable&, int) const;
FLUXETA_STATION_RULES(base::Real)
FLUXETA_STATION_RULES(base::UncheckedReal)
#undef FLUXETA_STATION_RULES

void SetUpStations(const cases::CaseParameters& parameters, cases::StationTable& table,
                   solver::SolverState& state) {
  SetStationGeometry(parameters, table);
  state.SegmentLength = (Real(parameters.W) / cases::StationCount).value();
  const StationRheologyRules liquid(parameters, state.SegmentLength);
  for (int i = 1; i <= cases::StationCount; ++i) {
    SetUpStationRheology(liquid, table, i);
  }
}

// The pass reads only Q, so a pass that raised a fault flag is made again as it was.
[[gnu::flatten]] void UpdateStationRheology(const cases::CaseParameters& parameters,
                                            cases::StationTable& table,
                                            const solver::SolverState& state) {
  const StationRheologyRules liquid(parameters, state.SegmentLength);
  base::CheckByFaultFlags([&](auto number) {
    using Number = decltype(number);
    for (int i = 1; i <= cases::StationCount; ++i) {
      liquid.UpdateStation<Number>(table, i);
    }
  });
}

}  // namespace fluxeta::solver
