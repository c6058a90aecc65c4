#include "die_integration.h"

#include <cmath>
#include <limits>

#include "fluxeta/base/fault_flags.h"

namespace fluxeta::solver {

namespace {

// ρ·α·Q²/A² in g/(cm·s²) per cm is 0.1 Pa/cm.
constexpr double kInertiaUnit = 0.1;

DieStageSection StageSection(const DieSection& section) {
  return {section.A,     4 * section.A / section.Pe,
          section.dAdx,  section.L,
          section.H,     std::sqrt(1 + section.dLdx * section.dLdx),
          section.radius};
}

}  // namespace

DieIntegration::DieIntegration(const DieModel& model, int intervals)
    : liquid_(model.liquid()),
      friction_(model.liquid(), model.document().frictionFactor),
      inertiaCoefficient_(kInertiaUnit * model.document().density * model.document().inertiaFactor),
      intervals_(intervals),
      length_(model.solvedWidth()),
      spacing_(model.solvedWidth() / intervals),
      flowRate_(model.solvedFlowRate()) {
  const int stagePositions = 2 * intervals + 1;
  const double halfSpacing = spacing_ / 2;
  stages_.reserve(stagePositions);
  stations_.reserve(intervals);
  for (int k = 0; k < stagePositions; ++k) {
    // The section at a singular closed end is never asked for.
    if (k + 1 == stagePositions && model.SingularAtClosedEnd()) {
      stages_.push_back(stages_.back());
      break;
    }
    const DieSection section = model.SectionAt(k * halfSpacing);
    stages_.push_back(StageSection(section));
    if (k % 2 == 0 && k / 2 < intervals) {
      stations_.push_back(section);
    }
  }
  base::RaiseOnFaultFlags();
}

DieIntegration::Rates DieIntegration::Derivatives(const DieStageSection& section, DieState state) {
  const double slotWallStress = section.H / 2 * state.P / section.L;
  const double dQ = -liquid_.SlotFlowPerWidth(slotWallStress, section.H);
  const double area2 = section.A * section.A;
  // −(ρα/A)·d(Q²/A)/dx: the slowing stream regains pressure, a narrowing one loses it.
  const double inertial =
      inertiaCoefficient_ *
      ((-2 * state.Q / area2) * dQ + state.Q * state.Q * section.dAdx / (area2 * section.A));
  return {dQ, inertial - friction_.Gradient(section, state.Q)};
}

DieSweepEnd DieIntegration::Sweep(double entrancePressure, std::vector<DieState>& states) {
  states.resize(intervals_ + 1);
  states[0] = {flowRate_, entrancePressure};
  const double h = spacing_;
  DieSweepEnd end;
  for (int i = 0; i < intervals_; ++i) {
    const DieStageSection& start = stages_[2 * i];
    const DieStageSection& middle = stages_[2 * i + 1];
    const DieStageSection& finish = stages_[2 * i + 2];
    const DieState y = states[i];
    const Rates k1 = Derivatives(start, y);
    const Rates k2 = Derivatives(middle, {y.Q + h / 2 * k1.dQ, y.P + h / 2 * k1.dP});
    const Rates k3 = Derivatives(middle, {y.Q + h / 2 * k2.dQ, y.P + h / 2 * k2.dP});
    const Rates k4 = Derivatives(finish, {y.Q + h * k3.dQ, y.P + h * k3.dP});
    const DieState next = {y.Q + h / 6 * (k1.dQ + 2 * k2.dQ + 2 * k3.dQ + k4.dQ),
                           y.P + h / 6 * (k1.dP + 2 * k2.dP + 2 * k3.dP + k4.dP)};
    base::RaiseOnFaultFlags();
    states[i + 1] = next;
    end.reached = i + 1;

    const bool last = i + 1 == intervals_;
    const double infinity = std::numeric_limits<double>::infinity();
    // The fractions of the interval at which P and Q reach zero, by linear interpolation.
    const double pressureZero = next.P <= 0 ? y.P / (y.P - next.P) : infinity;
    const double flowZero = next.Q <= 0 ? y.Q / (y.Q - next.Q) : infinity;
    if (pressureZero < flowZero) {
      end.shortfall = DieShortfall::PressureRunsOut;
      end.interval = i;
      end.position = (i + pressureZero) * h;
      const double flowLeft = y.Q + pressureZero * (next.Q - y.Q);
      end.distance = (length_ - end.position) / length_ + flowLeft / flowRate_;
      return end;
    }
    if (flowZero < infinity && !last) {
      end.shortfall = DieShortfall::ManifoldEmpties;
      end.interval = i;
      end.position = (i + flowZero) * h;
      end.distance = -(length_ - end.position) / length_;
      return end;
    }
  }
  end.distance = states[intervals_].Q / flowRate_;
  return end;
}

}  // namespace fluxeta::solver
