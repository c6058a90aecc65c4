// A liquid whose viscosity η(γ̇) has a closed form but whose shear rate at a stress does
// not (Cross, Carreau–Yasuda): γ̇(τ) by a monotone root, the moments of its flow curve by
// quadrature in the shear rate, and, for the flows of a die, a table of both moments over
// the stresses 1e-6 … 1e9 Pa built with the liquid, whose relative error is checked while
// it is built to be below 1e-13 (moment_table.h). Outside the table, or where no table
// meets that bound, the moments are found by quadrature each time.
//
// The table is shared by copies and never changes, so one liquid may serve many threads.
#pragma once

#include <memory>
#include <optional>

#include "fluxeta/liquids/carreau_yasuda.h"
#include "fluxeta/liquids/cross.h"

namespace fluxeta::liquids {

class MomentTable;

template <typename Curve>
class TabulatedLiquid {
 public:
  explicit TabulatedLiquid(const Curve& curve);

  double Viscosity(double shearRate) const { return curve_.Viscosity(shearRate); }
  double ShearRate(double stress) const;
  double FlowIndex(double shearRate) const { return curve_.FlowIndex(shearRate); }
  double YieldStress() const { return 0; }
  double SlotMoment(double tau) const;
  double PipeMoment(double tau) const;
  // The wall stresses at which M1/τ² and M2/τ³ reach `rate` (1/s).
  double SlotStressAtRate(double rate) const;
  double PipeStressAtRate(double rate) const;

  // Both moments by quadrature, without the table: {∫₀^τ s·γ̇ ds, ∫₀^τ s²·γ̇ ds}.
  std::pair<double, double> MomentsByQuadrature(double tau) const;

  const Curve& curve() const { return curve_; }
  // The table, or null where none met its bound.
  const MomentTable* table() const { return table_.get(); }

 private:
  Curve curve_;
  std::shared_ptr<const MomentTable> table_;
};

using Cross = TabulatedLiquid<CrossCurve>;
using CarreauYasuda = TabulatedLiquid<CarreauYasudaCurve>;

extern template class TabulatedLiquid<CrossCurve>;
extern template class TabulatedLiquid<CarreauYasudaCurve>;

}  // namespace fluxeta::liquids
