// The die's plan view across its whole width, for drawings: the land edge (the land length
// from the exit) and the manifold behind it.
#pragma once

#include <vector>

#include "fluxeta/solver/die_model.h"

namespace fluxeta::solver {

struct DieOutline {
  // From the edge at x = 0 to the other at the whole width; a centre-fed die's left half
  // mirrors its right.
  std::vector<double> x;       // cm across the width
  std::vector<double> land;    // L: the land edge's distance from the exit (cm)
  std::vector<double> depth;   // the manifold's reach behind the land edge (cm)
  std::vector<double> radius;  // of a circular manifold (cm); not a number otherwise
  double width = 0;
  bool circular = false;  // the manifold is circular everywhere
};

// The outline at `intervals` + 1 evenly spaced positions (even for a centre feed). Raises
// FloatingPointError where the geometry faults.
DieOutline SampleDieOutline(const DieModel& model, int intervals);

}  // namespace fluxeta::solver
