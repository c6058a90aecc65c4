// The sweeps and the update pass find their faults by the exception flags; each still ends
// with the first fault in evaluation order, even where later operations raise other flags.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "../support/expect_fault.h"
#include "entrance_pressure_search.h"
#include "fluxeta/base/errors.h"
#include "rheology.h"
#include "robust_sweep.h"
#include "solver_test_cases.h"
#include "sweep_die_width.h"

namespace fluxeta::solver {
namespace {

using base::FloatingPointFault;

constexpr char kDivisionByZero[] = "0 による浮動小数点数除算";
constexpr char kInvalidOperation[] = "不正な浮動小数点数演算命令";
constexpr char kOverflow[] = "浮動小数点数のオーバーフロー";

// A station in the middle of the die, and one further on that faults another way.
constexpr int kFaultStation = 20;
constexpr int kLaterStation = 35;

// A slot or duct size whose squares and cubes still are doubles but whose quotients are not.
constexpr double kTinyArea = 1e-10;                // cm2
constexpr double kTinyHydraulicDiameter = 1e-300;  // cm
constexpr double kTinyCavityArea = 1e-105;         // cm2: A³ ≈ 1e-315

enum class Unit { WindowSweep, RobustSweep, UpdatePass };

struct UnitFault {
  std::string name;
  Unit unit;
  std::function<void(cases::StationTable&)> change;
  FloatingPointFault fault;
  const char* message;
};

void PrintTo(const UnitFault& unitFault, std::ostream* out) {
  *out << unitFault.name;
}

// Runs the unit on the default case after its set-up pass (and, for the update pass, after
// a sweep), with the table changed just before it.
void RunUnit(const UnitFault& unitFault) {
  const cases::CaseParameters parameters = testing::DefaultCase();
  cases::StationTable table;
  solver::SolverState state;
  SetUpStations(parameters, table, state);
  const double entrancePressure = FirstEntrancePressureGuess(table, state);
  table.P[1] = entrancePressure;
  switch (unitFault.unit) {
    case Unit::WindowSweep:
      unitFault.change(table);
      SweepDieWidth(parameters, table, state);
      break;
    case Unit::RobustSweep: {
      unitFault.change(table);
      RobustSweep sweep(parameters, table, state, GapTieBreak::CloserRegime);
      sweep(entrancePressure);
      break;
    }
    case Unit::UpdatePass:
      SweepDieWidth(parameters, table, state);
      unitFault.change(table);
      UpdateStationRheology(parameters, table, state);
      break;
  }
}

class FirstFaultTest : public ::testing::TestWithParam<UnitFault> {};

TEST_P(FirstFaultTest, EndsTheUnitWithTheFirstFault) {
  fluxeta::testing::ExpectFault([] { RunUnit(GetParam()); }, GetParam().fault, GetParam().message);
}

// The duct's friction 0·Pe²/(8·0³) is 0/0; the inertia then divides Q by A² = 0.
void ZeroDuct(cases::StationTable& table, int i) {
  table.A[i] = 0.0;
  table.Pe[i] = 0.0;
}

// A slot without length divides the pressure by zero.
void SlotWithoutLength(cases::StationTable& table, int i) {
  table.L[i] = 0.0;
}

// The duct's friction Pe²/(8·A³) overflows.
void HairlineDuct(cases::StationTable& table, int i) {
  table.A[i] = kTinyCavityArea;
}

// The cavity shear rate λ·Q/(2·A·Dh) overflows.
void NeedleDuct(cases::StationTable& table, int i) {
  table.A[i] = kTinyArea;
  table.Dh[i] = kTinyHydraulicDiameter;
}

// The cavity shear rate of no flow in no duct is 0/0.
void EmptyDuctWithoutFlow(cases::StationTable& table, int i) {
  table.A[i] = 0.0;
  table.Q[i] = 0.0;
}

// A closed slot divides the slot shear rate by H² = 0.
void ClosedSlot(cases::StationTable& table, int i) {
  table.H[i] = 0.0;
}

INSTANTIATE_TEST_SUITE_P(
    Units, FirstFaultTest,
    ::testing::Values(
        UnitFault{"WindowSweepInvalidBeforeDivision", Unit::WindowSweep,
                  [](cases::StationTable& t) {
                    ZeroDuct(t, kFaultStation);
                    SlotWithoutLength(t, kLaterStation);
                  },
                  FloatingPointFault::InvalidOperation, kInvalidOperation},
        UnitFault{"WindowSweepOverflowBeforeDivision", Unit::WindowSweep,
                  [](cases::StationTable& t) {
                    HairlineDuct(t, kFaultStation);
                    SlotWithoutLength(t, kLaterStation);
                  },
                  FloatingPointFault::Overflow, kOverflow},
        UnitFault{"WindowSweepDivisionBeforeInvalid", Unit::WindowSweep,
                  [](cases::StationTable& t) {
                    SlotWithoutLength(t, kFaultStation);
                    ZeroDuct(t, kLaterStation);
                  },
                  FloatingPointFault::DivisionByZero, kDivisionByZero},
        // The sweep stops where it leaves the branch, so its faults lie in one station.
        UnitFault{"RobustSweepInvalidBeforeDivision", Unit::RobustSweep,
                  [](cases::StationTable& t) { EmptyDuctWithoutFlow(t, 1); },
                  FloatingPointFault::InvalidOperation, kInvalidOperation},
        UnitFault{"RobustSweepOverflowBeforeDivision", Unit::RobustSweep,
                  [](cases::StationTable& t) {
                    NeedleDuct(t, kFaultStation);
                    SlotWithoutLength(t, kFaultStation);
                  },
                  FloatingPointFault::Overflow, kOverflow},
        UnitFault{"RobustSweepDivisionBeforeInvalid", Unit::RobustSweep,
                  [](cases::StationTable& t) {
                    SlotWithoutLength(t, kFaultStation);
                    ZeroDuct(t, kFaultStation + 1);
                  },
                  FloatingPointFault::DivisionByZero, kDivisionByZero},
        UnitFault{"UpdatePassInvalidBeforeDivision", Unit::UpdatePass,
                  [](cases::StationTable& t) {
                    EmptyDuctWithoutFlow(t, kFaultStation);
                    ClosedSlot(t, kLaterStation);
                  },
                  FloatingPointFault::InvalidOperation, kInvalidOperation},
        UnitFault{"UpdatePassOverflowBeforeDivision", Unit::UpdatePass,
                  [](cases::StationTable& t) {
                    NeedleDuct(t, kFaultStation);
                    ClosedSlot(t, kLaterStation);
                  },
                  FloatingPointFault::Overflow, kOverflow},
        UnitFault{"UpdatePassDivisionBeforeInvalid", Unit::UpdatePass,
                  [](cases::StationTable& t) {
                    ClosedSlot(t, kFaultStation);
                    EmptyDuctWithoutFlow(t, kLaterStation);
                  },
                  FloatingPointFault::DivisionByZero, kDivisionByZero}),
    [](const ::testing::TestParamInfo<UnitFault>& info) { return info.param.name; });

}  // namespace
}  // namespace fluxeta::solver
