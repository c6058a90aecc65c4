// "Every station inside the coating window" as a limit of a design: a model with an
// operating point judges each candidate's web (DesignFigures::coatingWindowMargin), and the
// limit kCoatingWindow keeps that margin at zero or above.
#pragma once

#include <vector>

#include "fluxeta/design/design_figures.h"
#include "fluxeta/design/design_limits.h"
#include "fluxeta/design/design_model.h"
#include "fluxeta/design/design_refusal.h"

namespace fluxeta::design {

// The bound of the limit that a front sets with the model's operating point.
inline constexpr double kEveryStationInside = 0;

inline constexpr FigureSpec kCoatingWindowFigure = {"coating_window_margin",
                                                    &DesignFigures::coatingWindowMargin};

// The figures the reports and histories of `model` give: kDesignFigures, and the coating
// window's margin when the model has an operating point.
std::vector<FigureSpec> ReportedFigures(const DesignModel& model);

// Raises DesignRefusal, naming the limit with the front's `names`, for the limit asked of a
// model that has no operating point to judge.
void CheckCoatingWindowLimit(const DesignModel& model, const DesignLimits& limits,
                             const SettingNames& names);

}  // namespace fluxeta::design
