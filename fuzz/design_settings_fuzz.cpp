// Design settings as any front may give them: variables by name with bounds, limits, an
// objective, a budget and tolerance texts. Each is refused with a DesignRefusal or taken;
// what is taken asks only for dies that can exist: every position of a variable between its
// bounds, every corner of a band, lies in its quantity's physical domain.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fluxeta/case/default_case.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/optimiser.h"
#include "fluxeta/design/sensitivity.h"
#include "fluxeta/design/tolerance_band.h"
#include "fuzz_input.h"

namespace {

using namespace fluxeta::design;

// Positions looked at along a variable taken: its ends and a few between.
constexpr int kPositionsLookedAt = 8;
// More variables than there are quantities, to reach the repeated-name refusal.
constexpr unsigned kMostVariables = 20;

const CaseDesignModel& Model() {
  static const CaseDesignModel model(fluxeta::cases::DefaultCaseValues());
  return model;
}

// A name of the model, or now and then one that is none.
std::string NameOf(std::uint8_t pick) {
  const auto& quantities = Model().Quantities();
  return pick < quantities.size() ? quantities[pick].name : "x" + std::to_string(pick);
}

void CheckVariables(const std::vector<DesignVariable>& variables) {
  for (const DesignVariable& variable : variables) {
    const DesignQuantity& quantity = Model().Quantities().at(variable.quantity);
    for (int k = 0; k <= kPositionsLookedAt; ++k) {
      const double value = variable.ValueAt(static_cast<double>(k) / kPositionsLookedAt);
      if (!fluxeta::cases::InDomain(quantity.domain, value) || value < variable.low ||
          value > variable.high) {
        std::abort();
      }
    }
  }
}

void CheckOptimiseSettings(fluxeta::fuzz::FuzzInput& input) {
  OptimiseSettings settings;
  const unsigned count = input.Take<std::uint8_t>() % (kMostVariables + 1);
  for (unsigned k = 0; k < count; ++k) {
    VariableRequest request{NameOf(input.Take<std::uint8_t>()), std::nullopt};
    if (input.Take<std::uint8_t>() % 2 == 1) {
      const double low = input.Take<double>();
      request.bounds = Bounds{low, input.Take<double>()};
    }
    settings.variables.push_back(request);
  }
  for (auto& limit : settings.limits) {
    if (input.Take<std::uint8_t>() % 2 == 1) {
      limit = input.Take<double>();
    }
  }
  settings.objective =
      input.Take<std::uint8_t>() % 2 == 1 ? Objective::Pressure : Objective::Uniformity;
  if (input.Take<std::uint8_t>() % 2 == 1) {
    settings.maxEvaluations = input.Take<long long>();
  }
  settings.allInputs = input.Take<std::uint8_t>() % 2 == 1;
  try {
    CheckVariables(CheckOptimise(Model(), settings, KeywordSettingNames("ask for all")));
  } catch (const DesignRefusal&) {
  }
}

void CheckToleranceTexts(std::string_view texts, bool allInputs) {
  ToleranceSettings settings;
  settings.allInputs = allInputs;
  while (!texts.empty()) {
    const auto end = texts.find('\n');
    const ParsedTolerance parsed = ParseTolerance(Model(), texts.substr(0, end));
    if (parsed.tolerance.has_value() == !parsed.refusal.empty()) {
      std::abort();  // exactly one of a tolerance and a reason
    }
    if (parsed.tolerance) {
      settings.tolerances.push_back(*parsed.tolerance);
    }
    texts.remove_prefix(end == std::string_view::npos ? texts.size() : end + 1);
  }
  try {
    CheckToleranceBand(Model(), settings, KeywordSettingNames("ask for all"));
  } catch (const DesignRefusal&) {
    return;
  }
  const DesignPoint base = Model().BasePoint();
  for (const Tolerance& tolerance : settings.tolerances) {
    const double value = base[tolerance.quantity];
    const double delta =
        tolerance.percent ? std::fabs(value) * tolerance.delta / 100.0 : tolerance.delta;
    for (const double corner : {value - delta, value + delta}) {
      if (!fluxeta::cases::InDomain(Model().Quantities()[tolerance.quantity].domain, corner)) {
        std::abort();
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fluxeta::fuzz::FuzzInput input(data, size);
  CheckOptimiseSettings(input);
  const double step = input.Take<double>();
  try {
    const double taken = CheckSensitivities({false, step}, KeywordSettingNames("ask for all"));
    if (!(taken >= kSmallestRelativeStep && taken < 1)) {
      std::abort();
    }
  } catch (const DesignRefusal&) {
  }
  const bool allInputs = input.Take<std::uint8_t>() % 2 == 1;
  CheckToleranceTexts(input.Rest(), allInputs);
  return 0;
}
