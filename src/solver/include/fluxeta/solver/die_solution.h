// The solution of the general die model: a verdict, the entrance pressure, the uniformity
// of the slot flow and a table of the stations across the whole width.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "fluxeta/base/outcome.h"
#include "fluxeta/case/die_families.h"
#include "fluxeta/liquids/liquid.h"

namespace fluxeta::solver {

// Station i covers the interval [X_i, X_i + Δx] of the width, numbered across the whole
// die from the feed end (from the left edge for a centre-fed die, whose left half mirrors
// its right). P and Q are taken at the end of the interval nearer the feed, Q as the flow
// towards the closed end; DelQ is the slot flow of the whole interval.
struct DieStationTable {
  std::vector<double> X, P, Q, DelQ, Q_DIFF, APP_SR_C, SR_S, APP_VIS_C, VIS_S, A, Dh, H, L, RTime,
      TAU_S;
  // The geometry's own columns, for exports: manifold perimeter and radius (not a number
  // where not circular) and its depth behind the land.
  std::vector<double> Pe, R, depth;
};

struct DieStationColumn {
  std::string_view name;
  std::string_view unit;
  std::vector<double> DieStationTable::*values;
};

// The window's columns, then the slot wall shear stress.
inline constexpr std::array<DieStationColumn, 15> kDieStationColumns = {{
    {"X", "cm", &DieStationTable::X},
    {"P", "Pa", &DieStationTable::P},
    {"Q", "cm3/s", &DieStationTable::Q},
    {"DelQ", "cm3/s", &DieStationTable::DelQ},
    {"Q_DIFF", "%", &DieStationTable::Q_DIFF},
    {"APP_SR_C", "1/s", &DieStationTable::APP_SR_C},
    {"SR_S", "1/s", &DieStationTable::SR_S},
    {"APP_VIS_C", "Pa.s", &DieStationTable::APP_VIS_C},
    {"VIS_S", "Pa.s", &DieStationTable::VIS_S},
    {"A", "cm2", &DieStationTable::A},
    {"Dh", "cm", &DieStationTable::Dh},
    {"H", "cm", &DieStationTable::H},
    {"L", "cm", &DieStationTable::L},
    {"RTime", "s", &DieStationTable::RTime},
    {"TAU_S", "Pa", &DieStationTable::TAU_S},
}};

// Where the integration from the solution's entrance pressure left the physical branch.
enum class DieShortfall {
  None,
  PressureRunsOut,  // the pressure falls to zero while liquid remains in the manifold
  ManifoldEmpties,  // the manifold runs empty before the closed end
};

struct DieSolution {
  // Converged, NoPhysicalSolution, or NotConverged when the root finder's budget ran out.
  base::Outcome status = base::Outcome::NotConverged;
  DieShortfall shortfall = DieShortfall::None;
  double shortfallPosition = 0;  // cm from the feed
  int shortfallStation = 0;      // station of the table (the right half's for a centre feed)
  int sweeps = 0;                // integrations across the width

  // Not a number unless converged.
  double entrancePressure = 0;  // Pa
  double uniformity = 0;        // 1 − RMS deviation of DelQ / mean DelQ
  double DelQRms = 0;           // cm3/s
  double flowRatio = 0;         // smallest / largest DelQ
  double farEndFlow = 0;        // Q left at the closed end (cm3/s)

  int stations = 0;  // across the whole width
  double width = 0;  // the whole width (cm)
  cases::DieFeed feed = cases::DieFeed::End;
  double flowRate = 0;      // fed to the whole die (cm3/s)
  double stationWidth = 0;  // Δx (cm)
  DieStationTable table;
  liquids::Liquid liquid = liquids::Liquid(liquids::Newtonian{});

  bool converged() const { return status == base::Outcome::Converged; }
  // The slot flow per unit width of station i (cm2/s), 0 ≤ i < stations.
  double SlotFlowPerWidth(int i) const { return table.DelQ[i] / stationWidth; }
  // The middle of station i across the width (cm).
  double StationMiddle(int i) const { return table.X[i] + stationWidth / 2; }
};

// "converged", or "no_physical_solution: the pressure runs out at 41.3 cm from the feed
// (station 32) while liquid remains".
std::string DescribeDieOutcome(const DieSolution& solution);

}  // namespace fluxeta::solver
