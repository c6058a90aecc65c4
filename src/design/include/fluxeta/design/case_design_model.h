// The design model of the window's case: its fifteen inputs, named, bounded and given
// their physical domains by the input table, each candidate solved with one search.
#pragma once

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/design/design_model.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::design {

// The search that solves each candidate.
using solver::Search;

// A solved case: what its result file and the workbench's Result tab show.
struct CaseSolution : DesignSolution {
  cases::CaseParameters parameters;
  solver::Solution solution;
};

// Solves the case of `values` with `search`; faults and verdicts are the status. With an
// operating point, the figures also judge the coating window of the case's web.
DesignFigures EvaluateDesign(const cases::CaseValues& values, Search search,
                             const std::optional<coating::OperatingPoint>& coatingPoint = {});

class CaseDesignModel : public DesignModel {
 public:
  // The design of the case `base`, every candidate solved with `search` and, with an
  // operating point, judged by its coating window.
  explicit CaseDesignModel(const cases::CaseValues& base, Search search = Search::Robust,
                           std::optional<coating::OperatingPoint> coatingPoint = {});

  const std::vector<DesignQuantity>& Quantities() const override { return quantities_; }
  std::string_view QuantityNoun() const override { return "input"; }
  DesignFigures Evaluate(const DesignPoint& point) const override;
  std::shared_ptr<const DesignSolution> Solve(const DesignPoint& point) const override;
  std::optional<coating::OperatingPoint> CoatingPoint() const override { return coatingPoint_; }

  // The case values of a point of this model, and back.
  static cases::CaseValues CaseOf(const DesignPoint& point);
  static DesignPoint PointOf(const cases::CaseValues& values);

 private:
  std::vector<DesignQuantity> quantities_;
  Search search_;
  std::optional<coating::OperatingPoint> coatingPoint_;
};

}  // namespace fluxeta::design
