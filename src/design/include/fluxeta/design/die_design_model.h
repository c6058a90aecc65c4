// The design model of a die document: its numbers by their paths ("geometry.manifold.radius",
// "flow_rate", "fluid.n"), each candidate the document with the candidate's values set, read
// again by the document reader, so that a candidate the reader refuses is no design, and
// solved by the general die model.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/case/die_document.h"
#include "fluxeta/design/design_model.h"
#include "fluxeta/liquids/liquid.h"
#include "fluxeta/solver/die_solution.h"

namespace fluxeta::design {

// A solved die: its document and its solution.
struct DieDesignSolution : DesignSolution {
  nlohmann::json document;  // as DieDocumentJson writes it, the design's values set
  solver::DieSolution solution;
};

class DieDesignModel : public DesignModel {
 public:
  // `document` as DieDocumentJson writes it; a profile file is read relative to
  // `directory`. The quantities are the document's designable numbers
  // (DesignableDieNumbers) and those of the `named` paths that are numbers of the document
  // (a table's position, the stations); a name that is none is left for the design's
  // refusal of an unknown key. Raises DocumentError when the document itself is refused.
  DieDesignModel(nlohmann::json document, std::filesystem::path directory,
                 const std::vector<std::string>& named = {});

  const std::vector<DesignQuantity>& Quantities() const override { return quantities_; }
  std::string_view QuantityNoun() const override { return "key"; }
  DesignFigures Evaluate(const DesignPoint& point) const override;
  std::shared_ptr<const DesignSolution> Solve(const DesignPoint& point) const override;

  // The document of a point: the base document with the point's values set.
  nlohmann::json DocumentOf(const DesignPoint& point) const;
  // The model of the same document with the point's values, for a band around it.
  DieDesignModel At(const DesignPoint& point) const;

 private:
  // Solves the document of `point`; raises what the reader or the solve raises.
  solver::DieSolution SolveDocument(const nlohmann::json& document) const;

  nlohmann::json document_;
  std::filesystem::path directory_;
  std::vector<std::string> named_;
  std::vector<DesignQuantity> quantities_;
  std::vector<nlohmann::json::json_pointer> pointers_;
  cases::LiquidDocument baseFluid_;
  liquids::Liquid baseLiquid_;
};

}  // namespace fluxeta::design
