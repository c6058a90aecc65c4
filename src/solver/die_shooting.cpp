#include "die_shooting.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include <boost/math/tools/roots.hpp>

#include "fluxeta/base/errors.h"
#include "fluxeta/base/fault_flags.h"

namespace fluxeta::solver {

namespace {

// A sweep this close to the root ends the search at once.
constexpr double kTargetMiss = 1e-13;
// The bracket is sought in at most this many steps, each moving the pressure by at most
// this factor.
constexpr int kMostBracketSteps = 60;
constexpr double kMostBracketFactor = 4;
// A step of the bracket search goes this share of its own length beyond its estimate, so
// that a good estimate gives a bracket at once.
constexpr double kBracketOvershoot = 0.1;
constexpr int kRootToleranceBits = 50;
// A die with no physical answer (a yield stress the manifold cannot carry to the closed
// end) has a jump instead of a root; narrowing a bracket onto it to kRootToleranceBits
// takes TOMS 748 up to about three evaluations a halving.
constexpr std::uintmax_t kMostRootIterations = 4 * kRootToleranceBits;

// The integrations of one search: the best on the branch, and the nearest on each side.
class Shots {
 public:
  explicit Shots(DieIntegration& integration) : integration_(integration) {}

  double Distance(double entrancePressure) {
    current_.entrancePressure = entrancePressure;
    current_.end = integration_.Sweep(entrancePressure, current_.states);
    ++sweeps_;
    const double distance = current_.end.distance;
    if (current_.end.shortfall == DieShortfall::None &&
        (!best_ || std::fabs(distance) < std::fabs(best_->end.distance))) {
      best_ = current_;
    }
    if (distance > 0 && (!low_ || entrancePressure > low_->entrancePressure)) {
      low_ = current_;
    }
    if (distance < 0 && (!high_ || entrancePressure < high_->entrancePressure)) {
      high_ = current_;
    }
    if (distance == 0 && current_.end.shortfall != DieShortfall::None) {
      low_ = current_;
    }
    return distance;
  }

  bool Reached() const { return best_ && std::fabs(best_->end.distance) <= kTargetMiss; }
  const std::optional<DieShot>& best() const { return best_; }
  const std::optional<DieShot>& low() const { return low_; }
  const std::optional<DieShot>& high() const { return high_; }
  int sweeps() const { return sweeps_; }

 private:
  DieIntegration& integration_;
  DieShot current_;
  std::optional<DieShot> best_, low_, high_;
  int sweeps_ = 0;
};

// The pressure that drives the even share of the flow through the slot at the feed.
double FirstGuess(DieIntegration& integration, const liquids::Liquid& liquid) {
  const DieStageSection& feed = integration.StationStage(0);
  const double share = integration.flowRate() / (integration.spacing() * integration.intervals());
  return 2 * liquid.SlotWallStress(share, feed.H) * feed.L / feed.H;
}

// The next pressure of the bracket search from `pressure`, where the sweep ended at
// `distance`: the secant through the previous point in ln P where there is one that falls,
// else the slot flow's law at the feed (the outflow ∝ P^(1/n)); then a little beyond.
double NextPressure(double pressure, double distance,
                    std::optional<std::pair<double, double>> previous, double flowIndex) {
  double logStep;
  if (previous && previous->second != distance &&
      (distance - previous->second) / (pressure - previous->first) < 0) {
    logStep = -distance * (std::log(pressure) - std::log(previous->first)) /
              (distance - previous->second);
  } else if (std::fabs(distance) < 1) {
    logStep = -flowIndex * std::log1p(-distance);
  } else {
    logStep = distance > 0 ? std::log(kMostBracketFactor) : -std::log(kMostBracketFactor);
  }
  logStep *= 1 + kBracketOvershoot;
  const double most = std::log(kMostBracketFactor);
  logStep = std::fmax(-most, std::fmin(most, logStep));
  return pressure * std::exp(logStep);
}

}  // namespace

DieShooting ShootEntrancePressure(DieIntegration& integration) {
  const liquids::Liquid& liquid = integration.liquid();
  Shots shots(integration);
  double pressure = FirstGuess(integration, liquid);
  double distance = shots.Distance(pressure);
  std::optional<std::pair<double, double>> previous;
  std::optional<std::pair<double, double>> other;
  for (int step = 0; step < kMostBracketSteps && !shots.Reached() && distance != 0; ++step) {
    const DieStageSection& feed = integration.StationStage(0);
    const double wallShearRate = liquid.ShearRate(feed.H / 2 * pressure / feed.L);
    const double flowIndex = wallShearRate > 0 ? liquid.FlowIndex(wallShearRate) : 1;
    const double next = NextPressure(pressure, distance, previous, flowIndex);
    const double nextDistance = shots.Distance(next);
    previous = {pressure, distance};
    if ((nextDistance > 0) != (distance > 0) || nextDistance == 0) {
      other = {next, nextDistance};
      break;
    }
    pressure = next;
    distance = nextDistance;
  }

  bool budgetLeft = true;
  if (other && !shots.Reached() && distance != 0 && other->second != 0) {
    double low = pressure, high = other->first, lowDistance = distance,
           highDistance = other->second;
    if (low > high) {
      std::swap(low, high);
      std::swap(lowDistance, highDistance);
    }
    boost::math::tools::eps_tolerance<double> narrow(kRootToleranceBits);
    std::uintmax_t iterations = kMostRootIterations;
    boost::math::tools::toms748_solve(
        [&](double p) { return shots.Distance(p); }, low, high, lowDistance, highDistance,
        [&](double a, double b) { return shots.Reached() || narrow(a, b); }, iterations);
    budgetLeft = iterations < kMostRootIterations;
  } else if (!other && !shots.Reached() && distance != 0) {
    budgetLeft = false;
  }

  DieShooting result;
  result.sweeps = shots.sweeps();
  const auto& best = shots.best();
  const auto& low = shots.low();
  const auto& high = shots.high();
  const bool branchOnBothSides = low && high && low->end.shortfall == DieShortfall::None &&
                                 high->end.shortfall == DieShortfall::None;
  if (best &&
      (std::fabs(best->end.distance) <= kDieConvergedMiss || (budgetLeft && branchOnBothSides))) {
    // On the branch on both sides of a bracket narrowed to nothing: the discrete model
    // jumps there, where a stage crosses a kink of the flow curve; the nearer side stands.
    result.status = base::Outcome::Converged;
    result.answer = *best;
  } else if (!budgetLeft) {
    result.status = base::Outcome::NotConverged;
    result.answer = best ? *best : low ? *low : *high;
  } else {
    result.status = base::Outcome::NoPhysicalSolution;
    const bool lowShort = low && low->end.shortfall != DieShortfall::None;
    const bool highShort = high && high->end.shortfall != DieShortfall::None;
    const bool takeLow =
        lowShort && (!highShort || std::fabs(low->end.distance) <= std::fabs(high->end.distance));
    result.answer = takeLow ? *low : *high;
  }
  return result;
}

}  // namespace fluxeta::solver
