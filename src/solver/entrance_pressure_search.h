// The shooting search for the entrance pressure P_1 that empties the cavity at the far
// end: fixed steps from a first guess until the miss Q_51 has been seen on both sides of
// zero, then false position, in five stages of ever smaller steps.
#pragma once

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "solve_die_flow.h"
#include "solver_state.h"

namespace fluxeta::solver {

inline constexpr int kSearchStageCount = 5;
inline constexpr int kSweepsPerStage = 10;
inline constexpr int kMaximumSweeps = kSearchStageCount * kSweepsPerStage;

// What one sweep of the search did.
struct SweepReport {
  int sweep = 0;                // 1 … 50
  int stage = 0;                // stage whose step judges the miss; 6 after the 50th sweep
  double entrancePressure = 0;  // P_1 the sweep started from (Pa)
  double miss = 0;              // Q_51 it left (cm3/s)
};

// Watches the search, sweep by sweep (tests and studies).
class SearchObserver {
 public:
  virtual void SweepMade(const SweepReport& report) = 0;

 protected:
  ~SearchObserver() = default;
};

// The pressure (Pa) that drives the even share of the flow through the slot at the
// entrance, with the set-up pass's slot viscosity: the first guess of P_1.
double FirstEntrancePressureGuess(const cases::StationTable& table,
                                  const solver::SolverState& state);

// Searches from the table's P_1, stepping by fractions of state.InitialEntrancePressure;
// needs the set-up pass already made. Every sweep is reported to `observer`, when given,
// before its miss is judged. On convergence P_1 holds the last
// false-position estimate, while the rest of the table comes from the sweep before it.
// After 50 sweeps without convergence the table keeps what the 50th sweep and its
// rheology update made.
SolveOutcome SearchEntrancePressure(const cases::CaseParameters& parameters,
                                    cases::StationTable& table, solver::SolverState& state,
                                    SearchObserver* observer = nullptr);

}  // namespace fluxeta::solver
