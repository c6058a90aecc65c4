#include "die_station_rows.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fluxeta::solver {

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double kPercent = 100;

// The rows of the solved part, from the feed.
DieStationTable HalfTable(const DieModel& model, DieIntegration& integration, const DieShot& shot,
                          bool converged) {
  const liquids::Liquid& liquid = model.liquid();
  ManifoldFriction& friction = integration.friction();
  const int n = integration.intervals();
  const double h = integration.spacing();
  DieStationTable table;
  for (std::vector<double> DieStationTable::*column :
       {&DieStationTable::X, &DieStationTable::P, &DieStationTable::Q, &DieStationTable::DelQ,
        &DieStationTable::Q_DIFF, &DieStationTable::APP_SR_C, &DieStationTable::SR_S,
        &DieStationTable::APP_VIS_C, &DieStationTable::VIS_S, &DieStationTable::A,
        &DieStationTable::Dh, &DieStationTable::H, &DieStationTable::L, &DieStationTable::RTime,
        &DieStationTable::TAU_S, &DieStationTable::Pe, &DieStationTable::R,
        &DieStationTable::depth}) {
    (table.*column).assign(n, kNotANumber);
  }
  const double evenShare = integration.flowRate() / n;
  double cavityTime = 0;  // s, from the feed to the start of the station
  for (int i = 0; i < n; ++i) {
    const DieSection& section = integration.StationSection(i);
    const DieStageSection& stage = integration.StationStage(i);
    table.X[i] = i * h;
    table.A[i] = section.A;
    table.Pe[i] = section.Pe;
    table.Dh[i] = stage.Dh;
    table.H[i] = section.H;
    table.L[i] = section.L;
    table.R[i] = section.radius;
    table.depth[i] = section.depth;
    if (i > shot.end.reached) {
      continue;
    }
    const DieState state = shot.states[i];
    table.P[i] = state.P;
    table.Q[i] = state.Q;
    if (state.Q > 0) {
      table.APP_SR_C[i] = friction.ApparentShearRate(stage, state.Q);
      table.APP_VIS_C[i] = friction.ApparentViscosity(stage, state.Q);
    }
    const double slotWallStress = section.H / 2 * state.P / section.L;
    if (slotWallStress > 0) {
      table.TAU_S[i] = slotWallStress;
      table.SR_S[i] = liquid.ShearRate(slotWallStress);
      if (table.SR_S[i] > 0) {
        table.VIS_S[i] = slotWallStress / table.SR_S[i];
      }
    }
    if (i + 1 > shot.end.reached) {
      continue;
    }
    table.DelQ[i] = state.Q - shot.states[i + 1].Q;
    table.Q_DIFF[i] = (table.DelQ[i] / evenShare - 1) * kPercent;
    if (converged) {
      // Along the manifold to the middle of the station, then across the land.
      const double manifoldVelocity = state.Q / section.A;
      const double along = h * stage.pathFactor / manifoldVelocity;
      const double slotVelocity = table.DelQ[i] / (h * section.H);
      table.RTime[i] = cavityTime + along / 2 + section.L / slotVelocity;
      cavityTime += along;
    }
  }
  return table;
}

// The right half as solved, the left half its mirror image.
DieStationTable WholeWidth(const DieStationTable& half, double spacing) {
  const int n = static_cast<int>(half.X.size());
  DieStationTable whole;
  for (std::vector<double> DieStationTable::*column :
       {&DieStationTable::P, &DieStationTable::Q, &DieStationTable::DelQ, &DieStationTable::Q_DIFF,
        &DieStationTable::APP_SR_C, &DieStationTable::SR_S, &DieStationTable::APP_VIS_C,
        &DieStationTable::VIS_S, &DieStationTable::A, &DieStationTable::Dh, &DieStationTable::H,
        &DieStationTable::L, &DieStationTable::RTime, &DieStationTable::TAU_S, &DieStationTable::Pe,
        &DieStationTable::R, &DieStationTable::depth}) {
    const std::vector<double>& values = half.*column;
    std::vector<double>& mirrored = whole.*column;
    mirrored.assign(values.rbegin(), values.rend());
    mirrored.insert(mirrored.end(), values.begin(), values.end());
  }
  whole.X.resize(2 * n);
  for (int j = 0; j < 2 * n; ++j) {
    whole.X[j] = j * spacing;
  }
  return whole;
}

// Uniformity, RMS deviation and the smallest-to-largest ratio of the solved part's slot
// flows, computed on the solved half so that a centre feed gives its half's figures.
void SlotFlowFigures(const std::vector<double>& slotFlows, DieSolution& solution) {
  double sum = 0;
  for (double flow : slotFlows) {
    sum += flow;
  }
  const double count = static_cast<double>(slotFlows.size());
  const double mean = sum / count;
  double squares = 0;
  for (double flow : slotFlows) {
    squares += (flow - mean) * (flow - mean);
  }
  solution.DelQRms = std::sqrt(squares / count);
  solution.uniformity = 1 - solution.DelQRms / mean;
  const auto [least, most] = std::minmax_element(slotFlows.begin(), slotFlows.end());
  solution.flowRatio = *least / *most;
}

}  // namespace

DieSolution MakeDieSolution(const DieModel& model, DieIntegration& integration,
                            const DieShooting& shooting) {
  const cases::DieDocument& document = model.document();
  const bool converged = shooting.status == base::Outcome::Converged;
  const DieShot& shot = shooting.answer;
  DieSolution solution;
  solution.status = shooting.status;
  solution.sweeps = shooting.sweeps;
  solution.feed = document.feed();
  solution.width = document.width();
  solution.flowRate = document.flowRate;
  solution.stationWidth = integration.spacing();
  solution.liquid = model.liquid();
  const int n = integration.intervals();
  const bool centre = solution.feed == cases::DieFeed::Centre;
  solution.stations = centre ? 2 * n : n;

  DieStationTable half = HalfTable(model, integration, shot, converged);
  solution.entrancePressure = kNotANumber;
  solution.uniformity = kNotANumber;
  solution.DelQRms = kNotANumber;
  solution.flowRatio = kNotANumber;
  solution.farEndFlow = kNotANumber;
  if (converged) {
    solution.entrancePressure = shot.entrancePressure;
    solution.farEndFlow = shot.states[n].Q;
    SlotFlowFigures(half.DelQ, solution);
  } else {
    solution.shortfall = shot.end.shortfall;
    solution.shortfallPosition = shot.end.position;
    solution.shortfallStation = (centre ? n : 0) + shot.end.interval + 1;
  }
  solution.table = centre ? WholeWidth(half, integration.spacing()) : std::move(half);
  return solution;
}

}  // namespace fluxeta::solver
