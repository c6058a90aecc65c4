#include "fluxeta/solver/robust_outcome.h"

namespace fluxeta::solver {

std::string_view VerdictCode(RobustVerdict verdict) {
  switch (verdict) {
    case RobustVerdict::Converged:
      return "converged";
    case RobustVerdict::RegimeGap:
      return "regime_gap";
    case RobustVerdict::NoPhysicalSolution:
      return "no_physical_solution";
    case RobustVerdict::NotConverged:
      break;
  }
  return "not_converged";
}

std::string_view MissingBranchText(MissingBranch reason) {
  switch (reason) {
    case MissingBranch::NegativeOutflow:
      return "negative outflow";
    case MissingBranch::EmptyCavity:
      return "empty cavity before the far end";
    case MissingBranch::None:
      break;
  }
  return "";
}

std::string StationRanges(const std::vector<int>& stations) {
  std::string text;
  for (std::size_t first = 0; first < stations.size();) {
    std::size_t last = first;
    while (last + 1 < stations.size() && stations[last + 1] == stations[last] + 1) {
      ++last;
    }
    if (!text.empty()) {
      text += ", ";
    }
    text += std::to_string(stations[first]);
    if (last > first) {
      text += "-" + std::to_string(stations[last]);
    }
    first = last + 1;
  }
  return text;
}

std::string DescribeOutcome(const RobustOutcome& outcome) {
  std::string text(VerdictCode(outcome.verdict));
  if (outcome.verdict == RobustVerdict::NoPhysicalSolution) {
    text += ": ";
    text += MissingBranchText(outcome.reason);
  }
  if (!outcome.stations.empty()) {
    text += outcome.verdict == RobustVerdict::NoPhysicalSolution ? " at " : ": ";
    text += outcome.stations.size() == 1 ? "station " : "stations ";
    text += StationRanges(outcome.stations);
  }
  return text;
}

}  // namespace fluxeta::solver
