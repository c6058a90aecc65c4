#include "fluxeta/design/die_design_model.h"

#include <algorithm>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/die_key_paths.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solve.h"

namespace fluxeta::design {

namespace {

bool SameLiquid(const cases::LiquidDocument& a, const cases::LiquidDocument& b) {
  const bool sameTemperature =
      a.temperature.has_value() == b.temperature.has_value() &&
      (!a.temperature || (a.temperature->law == b.temperature->law &&
                          a.temperature->parameters == b.temperature->parameters));
  return a.model == b.model && a.parameters == b.parameters && sameTemperature;
}

DesignQuantity QuantityOf(const cases::DieNumberKey& key) {
  DesignQuantity quantity;
  quantity.name = key.path;
  quantity.unit = key.unit;
  quantity.domain = key.domain;
  quantity.value = key.value;
  if (key.plausible) {
    quantity.plausible = Bounds{key.plausible->first, key.plausible->second};
  }
  return quantity;
}

DesignFigures FiguresOf(const solver::DieSolution& solution) {
  DesignFigures figures;
  figures.status = solution.status;
  figures.sweeps = solution.sweeps;
  if (figures.Solved()) {
    figures.uniformity = solution.uniformity;
    figures.entrancePressure = solution.entrancePressure;
    figures.longestResidenceTime =
        *std::max_element(solution.table.RTime.begin(), solution.table.RTime.end());
  }
  return figures;
}

}  // namespace

DieDesignModel::DieDesignModel(nlohmann::json document, std::filesystem::path directory,
                               const std::vector<std::string>& named)
    : document_(std::move(document)),
      directory_(std::move(directory)),
      named_(named),
      baseFluid_(cases::ReadDieDocument(document_, directory_).fluid),
      baseLiquid_(liquids::MakeLiquid(baseFluid_)) {
  for (const cases::DieNumberKey& key : cases::DesignableDieNumbers(document_)) {
    quantities_.push_back(QuantityOf(key));
  }
  for (const std::string& name : named) {
    if (Find(name)) {
      continue;
    }
    try {
      quantities_.push_back(QuantityOf(cases::FindDieNumberKey(document_, name)));
    } catch (const cases::DocumentError&) {
      // Not a number of the document: the design refuses it as an unknown key.
    }
  }
  for (const DesignQuantity& quantity : quantities_) {
    pointers_.push_back(cases::DieKeyPointer(quantity.name));
  }
}

nlohmann::json DieDesignModel::DocumentOf(const DesignPoint& point) const {
  nlohmann::json document = document_;
  for (std::size_t k = 0; k < pointers_.size(); ++k) {
    document[pointers_[k]] = point[k];
  }
  return document;
}

DieDesignModel DieDesignModel::At(const DesignPoint& point) const {
  return DieDesignModel(DocumentOf(point), directory_, named_);
}

solver::DieSolution DieDesignModel::SolveDocument(const nlohmann::json& document) const {
  const cases::DieDocument die = cases::ReadDieDocument(document, directory_);
  // The liquid is made once for the candidates that keep the document's liquid.
  const solver::DieModel model = SameLiquid(die.fluid, baseFluid_)
                                     ? solver::DieModel(die, baseLiquid_)
                                     : solver::DieModel(die);
  return solver::SolveDie(model, die.stations);
}

DesignFigures DieDesignModel::Evaluate(const DesignPoint& point) const {
  try {
    return FiguresOf(SolveDocument(DocumentOf(point)));
  } catch (const base::FluxetaError& error) {
    DesignFigures figures;
    figures.status = error.outcome();
    return figures;
  } catch (const cases::DocumentError&) {
    DesignFigures figures;
    figures.status = base::Outcome::RefusedInput;
    return figures;
  }
}

std::shared_ptr<const DesignSolution> DieDesignModel::Solve(const DesignPoint& point) const {
  auto solved = std::make_shared<DieDesignSolution>();
  solved->document = DocumentOf(point);
  try {
    solved->solution = SolveDocument(solved->document);
  } catch (const base::FluxetaError&) {
    return nullptr;
  } catch (const cases::DocumentError&) {
    return nullptr;
  }
  return solved->solution.converged() ? solved : nullptr;
}

}  // namespace fluxeta::design
