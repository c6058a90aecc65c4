// What design asks of one candidate die: its verdict and the figures that judge it, and
// the table of those figures as the reports and histories name them.
#pragma once

#include <array>
#include <string_view>

#include "fluxeta/base/outcome.h"

namespace fluxeta::design {

struct DesignFigures {
  base::Outcome status = base::Outcome::NotConverged;
  int sweeps = 0;
  double uniformity = 0;            // (-)
  double entrancePressure = 0;      // P_1 (Pa)
  double longestResidenceTime = 0;  // the largest RTime over the stations (s)
  // How far inside the coating window of the model's operating point the whole web lies
  // (coating/web_window_margin.h); zero for a model without one.
  double coatingWindowMargin = 0;  // (-)

  // A design is solved when its verdict is converged: a regime gap's figures depend on a
  // tie-break and a design is not chosen on them.
  bool Solved() const { return status == base::Outcome::Converged; }
};

// A figure as the design reports, histories and limits name it.
struct FigureSpec {
  std::string_view key;  // the report's key and the history's column
  double DesignFigures::*value;
};

inline constexpr std::array<FigureSpec, 3> kDesignFigures = {{
    {"uniformity", &DesignFigures::uniformity},
    {"entrance_pressure_Pa", &DesignFigures::entrancePressure},
    {"longest_residence_time_s", &DesignFigures::longestResidenceTime},
}};

}  // namespace fluxeta::design
