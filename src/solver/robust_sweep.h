// A sweep of the cavity that settles each station's rheology from its own flows and stops
// where the state leaves the physical branch, so that a root finder sees the miss as a
// plain function of the entrance pressure P_1 with a value everywhere.
#pragma once

#include <cstdint>

#include "cavity_derivatives.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "rheology.h"

namespace fluxeta::solver {

// How a slot interval that has no consistent regime is stepped: neither the power law
// nor the constant viscosity gives a slot flow DelQ that the update pass's rule assigns
// to that regime.
enum class GapTieBreak {
  CloserRegime,       // the regime whose apparent shear rate s lies closer to τ in ln(s/τ)
  PowerLaw,           // always the power law
  ConstantViscosity,  // always ηcr
};

// Where a sweep left the physical branch (P > 0 and Q > 0 at stations 2 … 50).
enum class BranchExit {
  None,             // the sweep reached the far end; its miss is Q_51
  PressureRunsOut,  // P fell to zero while flow remained: P_1 too low
  CavityEmpties,    // the flow ran out before the far end: P_1 too high
};

// Gap stations of one sweep, station i at bit i.
using StationSet = std::uint64_t;

struct RobustSweepResult {
  // Signed distance from the far-end root in stations: positive asks for a higher P_1.
  // A sweep that reached the far end gives Q_51 in even shares Qin/50; one that ran out
  // of pressure at the fractional station c gives (50 − c) plus the flow left there in
  // even shares; one whose cavity emptied at c gives −(51 − c).
  double distance = 0;
  BranchExit exit = BranchExit::None;
  int exitStation = 0;  // first station off the branch, when the sweep stopped
  StationSet gapStations = 0;
};

// Sweeps of one case. The table needs its stations set up (SetUpStations); each interval
// is first stepped with the slot regime the station had last.
class RobustSweep {
 public:
  RobustSweep(const cases::CaseParameters& parameters, cases::StationTable& table,
              solver::SolverState& state, GapTieBreak tieBreak);

  // Integrates from P_1 = entrancePressure (written to the table) as far as the branch
  // goes, writing P, Q, DelQ and the rheology columns of every station it passed.
  RobustSweepResult operator()(double entrancePressure);

 private:
  struct Crossing;

  // The sweep in the arithmetic Real (base::Real or base::UncheckedReal).
  template <typename Real>
  RobustSweepResult Sweep(double entrancePressure);

  solver::CurrentStation StationValues(int i, bool powerLaw) const;
  template <typename Real>
  void StepInterval(int i, bool powerLaw, CavityEquations<Real>& equations);
  template <typename Real>
  bool SettleSlotRegime(int i, RobustSweepResult& result, CavityEquations<Real>& equations);
  template <typename Real>
  Crossing FindCrossing(int i) const;

  const cases::CaseParameters& parameters_;
  cases::StationTable& table_;
  solver::SolverState& state_;
  GapTieBreak tieBreak_;
  StationRheologyRules rules_;
  double evenShare_;  // Qin/50 (cm3/s)
};

}  // namespace fluxeta::solver
