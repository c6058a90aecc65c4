#include "fluxeta/liquids/tabulated_liquid.h"

#include "curve_moments.h"
#include "moment_table.h"
#include "wall_stress_inverse.h"

namespace fluxeta::liquids {

template <typename Curve>
TabulatedLiquid<Curve>::TabulatedLiquid(const Curve& curve) : curve_(curve) {
  if (std::optional<MomentTable> table = MomentTable::Build(curve)) {
    table_ = std::make_shared<const MomentTable>(std::move(*table));
  }
}

template <typename Curve>
double TabulatedLiquid<Curve>::ShearRate(double stress) const {
  return stress > 0 ? ShearRateAtStress(curve_, stress) : 0;
}

template <typename Curve>
std::pair<double, double> TabulatedLiquid<Curve>::MomentsByQuadrature(double tau) const {
  if (!(tau > 0)) {
    return {0, 0};
  }
  const FlowMoments moments = liquids::MomentsByQuadrature(curve_, ShearRateAtStress(curve_, tau));
  return {moments.slot, moments.pipe};
}

template <typename Curve>
double TabulatedLiquid<Curve>::SlotMoment(double tau) const {
  if (table_ && tau > 0 && table_->Covers(tau)) {
    return tau * tau * table_->SlotRate(tau);
  }
  return MomentsByQuadrature(tau).first;
}

template <typename Curve>
double TabulatedLiquid<Curve>::PipeMoment(double tau) const {
  if (table_ && tau > 0 && table_->Covers(tau)) {
    return tau * tau * tau * table_->PipeRate(tau);
  }
  return MomentsByQuadrature(tau).second;
}

template <typename Curve>
double TabulatedLiquid<Curve>::SlotStressAtRate(double rate) const {
  if (table_) {
    if (const std::optional<double> stress = table_->StressAtSlotRate(rate)) {
      return *stress;
    }
  }
  // The Newtonian stress at the plateau viscosity, 3η0·rate, is at or below the answer.
  return InvertFlow([&](double t) { return SlotMoment(t) / (t * t); }, rate,
                    3 * curve_.zeroShearViscosity * rate, 0);
}

template <typename Curve>
double TabulatedLiquid<Curve>::PipeStressAtRate(double rate) const {
  if (table_) {
    if (const std::optional<double> stress = table_->StressAtPipeRate(rate)) {
      return *stress;
    }
  }
  return InvertFlow([&](double t) { return PipeMoment(t) / (t * t * t); }, rate,
                    4 * curve_.zeroShearViscosity * rate, 0);
}

template class TabulatedLiquid<CrossCurve>;
template class TabulatedLiquid<CarreauYasudaCurve>;

}  // namespace fluxeta::liquids
