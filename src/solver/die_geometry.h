// The shape of the die along its width: a cavity whose area tapers to zero at the far
// end and a slot whose length falls linearly from Lin to Lend.
#pragma once

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"

namespace fluxeta::solver {

// Cavity cross-sectional area (cm2) at distance x (cm) from the fed end.
double CavityAreaAt(const cases::CaseParameters& parameters, double x);

// Slot length (cm) at distance x (cm) from the fed end.
double SlotLengthAt(const cases::CaseParameters& parameters, double x);

// X, A, L, Pe, Dh and H of stations 1 … 50, one station after another.
void SetStationGeometry(const cases::CaseParameters& parameters, cases::StationTable& table);

}  // namespace fluxeta::solver
