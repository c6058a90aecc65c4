#include "fluxeta/design/coating_window_limit.h"

namespace fluxeta::design {

std::vector<FigureSpec> ReportedFigures(const DesignModel& model) {
  std::vector<FigureSpec> figures(kDesignFigures.begin(), kDesignFigures.end());
  if (model.CoatingPoint()) {
    figures.push_back(kCoatingWindowFigure);
  }
  return figures;
}

void CheckCoatingWindowLimit(const DesignModel& model, const DesignLimits& limits,
                             const SettingNames& names) {
  if (limits[kCoatingWindow] && !model.CoatingPoint()) {
    throw DesignRefusal(names.limits[kCoatingWindow] +
                        " needs an operating point, whose coating window the design is to meet");
  }
}

}  // namespace fluxeta::design
