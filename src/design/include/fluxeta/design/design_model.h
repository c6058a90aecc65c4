// The thing a design varies: a set of named numeric values (the inputs of the window's
// case, the keys of a die document), each with its unit and physical domain, and the
// solve that turns a choice of them into figures. The optimiser, the sensitivities and
// the tolerance band work on any model; a new kind of die is a model of its own.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/case/physical_domain.h"
#include "fluxeta/coating/operating_point.h"
#include "fluxeta/design/design_figures.h"

namespace fluxeta::design {

struct Bounds {
  double low = 0;  // in the quantity's unit
  double high = 0;
};

// A numeric value a design may vary.
struct DesignQuantity {
  std::string name;  // as every front names it: "Lend", "geometry.manifold.radius"
  std::string unit;  // "-" for a pure number
  cases::PhysicalDomain domain = cases::PhysicalDomain::Real;
  double value = 0;                   // in the design every request starts from
  std::optional<Bounds> plausible;    // the bounds of a variable given none
  bool fixedUnlessAllInputs = false;  // varied only when every input is asked for
};

// A value for each quantity of a model, in the model's order.
using DesignPoint = std::vector<double>;

// The whole solution of a design, as its model keeps it for the design chosen.
class DesignSolution {
 public:
  virtual ~DesignSolution() = default;
};

class DesignModel {
 public:
  virtual ~DesignModel() = default;

  virtual const std::vector<DesignQuantity>& Quantities() const = 0;
  // What a quantity is called in messages: "input", "key".
  virtual std::string_view QuantityNoun() const = 0;

  // Solves the design of `point`. A floating-point fault or a verdict other than converged
  // is the figures' status, never an exception: a candidate that cannot be solved is
  // simply not a design to choose. Called from several threads at once.
  virtual DesignFigures Evaluate(const DesignPoint& point) const = 0;
  // Solves it and keeps the solution, for the design chosen; nullptr when not solved.
  virtual std::shared_ptr<const DesignSolution> Solve(const DesignPoint& point) const = 0;

  // The design's values as the reports list them, {name: value}: every quantity.
  virtual nlohmann::ordered_json ReportedValues(const DesignPoint& point) const;

  // The operating point whose coating window the figures judge (their
  // coatingWindowMargin), when the model has one.
  virtual std::optional<coating::OperatingPoint> CoatingPoint() const { return std::nullopt; }

  // The quantity of that name, or nothing.
  std::optional<std::size_t> Find(std::string_view name) const;
  // The values every request starts from.
  DesignPoint BasePoint() const;
  // "Ain, gamma, …", for the message that refuses an unknown name.
  std::string NameList() const;
};

}  // namespace fluxeta::design
