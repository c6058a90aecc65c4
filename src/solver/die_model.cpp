#include "fluxeta/solver/die_model.h"

#include "die_sections.h"
#include "fluxeta/base/fault_flags.h"

namespace fluxeta::solver {

namespace {

// The flow of the part solved.
double SolvedFlowRate(const cases::DieDocument& document) {
  return document.feed() == cases::DieFeed::Centre ? document.flowRate / 2 : document.flowRate;
}

std::shared_ptr<const DieSections> MakeSections(const cases::DieDocument& document,
                                                const liquids::Liquid& liquid) {
  struct Family {
    const liquids::Liquid& liquid;
    double flowRate;
    std::unique_ptr<DieSections> operator()(const cases::TaperedGeometry& die) const {
      return TaperedSections(die);
    }
    std::unique_ptr<DieSections> operator()(const cases::TDieGeometry& die) const {
      return TDieSections(die);
    }
    std::unique_ptr<DieSections> operator()(const cases::CoatHangerGeometry& die) const {
      return CoatHangerSections(die, liquid, flowRate);
    }
    std::unique_ptr<DieSections> operator()(const cases::ProfileGeometry& die) const {
      return ProfileSections(die);
    }
  };
  return std::visit(Family{liquid, SolvedFlowRate(document)}, document.geometry);
}

}  // namespace

DieModel::DieModel(const cases::DieDocument& document)
    : DieModel(document, liquids::MakeLiquid(document.fluid)) {}

DieModel::DieModel(const cases::DieDocument& document, liquids::Liquid liquid)
    : document_(document), liquid_(std::move(liquid)), sections_(MakeSections(document, liquid_)) {}

double DieModel::solvedFlowRate() const {
  return SolvedFlowRate(document_);
}

DieSection DieModel::SectionAt(double x) const {
  return sections_->At(x);
}

bool DieModel::SingularAtClosedEnd() const {
  return sections_->SingularAtClosedEnd();
}

}  // namespace fluxeta::solver
