// What one solve keeps outside the station table: the record of the station being
// integrated and the values of the whole solve.
#pragma once

namespace fluxeta::solver {

// The values of the station being integrated, handed to the cavity derivatives.
struct CurrentStation {
  double H = 0;
  double L = 0;
  double APP_VIS_C = 0;
  double A = 0;
  double Pe = 0;
  double N_S = 0;
  bool SlotNewtonian = false;
};

// State of one solve that lives outside the table.
struct SolverState {
  CurrentStation current;
  double SegmentLength = 0;            // W/50 (cm)
  double InitialEntrancePressure = 0;  // first guess of P_1 (Pa)
};

}  // namespace fluxeta::solver
