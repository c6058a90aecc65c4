#include "fluxeta/study/die_study.h"

#include <algorithm>
#include <vector>

#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/die_key_paths.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/solver/die_solve.h"
#include "fluxeta/study/study_error.h"

namespace fluxeta::study {

namespace {

bool SameTemperature(const std::optional<cases::TemperatureDocument>& a,
                     const std::optional<cases::TemperatureDocument>& b) {
  return a.has_value() == b.has_value() &&
         (!a || (a->law == b->law && a->parameters == b->parameters));
}

// Whether the two make the same liquid (names and sources aside).
bool SameLiquid(const cases::LiquidDocument& a, const cases::LiquidDocument& b) {
  return a.model == b.model && a.parameters == b.parameters &&
         SameTemperature(a.temperature, b.temperature);
}

void FillResult(const solver::DieSolution& solution, CaseResult& result) {
  result.sweeps = solution.sweeps;
  result.status = solution.status;
  if (!solution.converged()) {
    result.outcome = solver::DescribeDieOutcome(solution);
    return;
  }
  result.converged = true;
  result.entrancePressure = solution.entrancePressure;
  result.uniformity = solution.uniformity;
  result.delQRms = solution.DelQRms;
  const auto [smallest, largest] =
      std::minmax_element(solution.table.Q_DIFF.begin(), solution.table.Q_DIFF.end());
  result.qDiffMin = *smallest;
  result.qDiffMax = *largest;
  result.flowRatio = solution.flowRatio;
}

class DieCaseSolver : public CaseSolver {
 public:
  DieCaseSolver(const StudyGrid& grid, const DieCaseModel& model)
      : grid_(grid),
        model_(model),
        document_(model.document()),
        liquidDocument_(model.base().fluid),
        liquid_(model.liquid()) {
    for (const StudyVariable* column : grid.Columns()) {
      pointers_.push_back(cases::DieKeyPointer(column->name));
    }
  }

  void Solve(std::uint64_t index, CaseResult& result) override {
    result = CaseResult{};
    try {
      grid_.CaseValues(index, values_);
      // Every case sets every varied key, so the document holds this case's values only.
      for (std::size_t column = 0; column < pointers_.size(); ++column) {
        document_[pointers_[column]] = values_[column].Stored();
      }
      const cases::DieDocument die = cases::ReadDieDocument(document_, model_.directory());
      const solver::DieModel model(die, LiquidOf(die.fluid));
      FillResult(solver::SolveDie(model, die.stations), result);
    } catch (const base::ConversionError& error) {
      result.status = error.outcome();
      result.outcome = base::messages::ConversionMessage(base::ShortQuote(error.text()));
    } catch (const base::FluxetaError& error) {
      result.status = error.outcome();
      result.outcome = error.message();
    } catch (const cases::DocumentError& error) {
      result.status = base::Outcome::RefusedInput;
      result.outcome = error.what();
    }
  }

 private:
  // The liquid of the last case, made again only when a case's liquid differs.
  const liquids::Liquid& LiquidOf(const cases::LiquidDocument& fluid) {
    if (!SameLiquid(fluid, liquidDocument_)) {
      liquid_ = liquids::MakeLiquid(fluid);
      liquidDocument_ = fluid;
    }
    return liquid_;
  }

  const StudyGrid& grid_;
  const DieCaseModel& model_;
  nlohmann::json document_;
  std::vector<nlohmann::json::json_pointer> pointers_;
  std::vector<cases::InputValue> values_;
  cases::LiquidDocument liquidDocument_;
  liquids::Liquid liquid_;
};

}  // namespace

DieStudyVariables::DieStudyVariables(nlohmann::json document) : document_(std::move(document)) {}

const StudyVariable& DieStudyVariables::Find(std::string_view name) {
  for (const Found& found : found_) {
    if (found.name == name) {
      return found.variable;
    }
  }
  cases::DieNumberKey key;
  try {
    key = cases::FindDieNumberKey(document_, name);
  } catch (const cases::DocumentError& error) {
    throw StudyError(std::string("key ") + error.what());
  }
  Found& found = found_.emplace_back();
  found.name = std::move(key.path);
  found.unit = std::move(key.unit);
  found.variable = {found.name, found.unit, found.name, std::nullopt};
  return found.variable;
}

DieCaseModel::DieCaseModel(nlohmann::json document, std::filesystem::path directory)
    : document_(std::move(document)),
      directory_(std::move(directory)),
      base_(cases::ReadDieDocument(document_, directory_)),
      liquid_(liquids::MakeLiquid(base_.fluid)) {}

std::unique_ptr<CaseSolver> DieCaseModel::NewSolver(const StudyGrid& grid) const {
  return std::make_unique<DieCaseSolver>(grid, *this);
}

}  // namespace fluxeta::study
