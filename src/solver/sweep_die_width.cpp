#include "sweep_die_width.h"

#include "cavity_derivatives.h"
#include "fluxeta/base/fault_flags.h"
#include "runge_kutta_gill_step.h"
#include "state_vector.h"

namespace fluxeta::solver {

namespace {

void LoadStation(const cases::StationTable& table, int i, solver::CurrentStation& current) {
  current.H = table.H[i];
  current.L = table.L[i];
  current.APP_VIS_C = table.APP_VIS_C[i];
  current.A = table.A[i];
  current.Pe = table.Pe[i];
  current.N_S = table.N_S[i];
  current.SlotNewtonian = table.SlotNewtonian[i];
}

}  // namespace

// The sweep writes only P and Q of stations 2 … 51, from P_1, Q_1 and the stations'
// values, so a sweep that raised a fault flag is made again as it was.
[[gnu::flatten]] void SweepDieWidth(const cases::CaseParameters& parameters,
                                    cases::StationTable& table, solver::SolverState& state) {
  base::CheckByFaultFlags([&](auto number) {
    using Number = decltype(number);
    CavityEquations<Number> equations(parameters, state.current);
    StateVector cavity{};
    for (int i = 1; i <= cases::StationCount; ++i) {
      LoadStation(table, i, state.current);
      equations.StationChanged();
      cavity[kFlow] = table.Q[i];
      cavity[kPressure] = table.P[i];
      RungeKuttaGillStep<Number>(kCavityEquationCount, cavity, table.X[i], state.SegmentLength,
                                 equations);
      table.Q[i + 1] = cavity[kFlow];
      table.P[i + 1] = cavity[kPressure];
    }
  });
}

}  // namespace fluxeta::solver
