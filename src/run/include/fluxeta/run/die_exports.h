// A solved die's geometry for other programs: the station table's geometry as CSV, and the
// die's plan view as a DXF drawing for a CAD program.
#pragma once

#include <string>

#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_outline.h"
#include "fluxeta/solver/die_solution.h"

namespace fluxeta::run {

// "station,x (cm),R (cm),A (cm2),Pe (cm),L (cm),H (cm)" and a row per station, numbers in
// their shortest exact form; R is empty where the manifold is not circular.
std::string DieGeometryCsv(const solver::DieSolution& solution);

// The plan view in cm, the die exit along the x axis and the land towards +y: the layers
// EXIT (the exit line), LAND_EDGE (where the land meets the manifold, y = L), MANIFOLD_CENTRE
// (the manifold's centre line, y = L + depth/2) and MANIFOLD_EDGE (its far side), polylines
// through the outline's points; and for a circular manifold its cross-section as circles
// of its radius on the centre line at both edges and at the feed. Raises InputOutputError
// when the drawing cannot be made.
std::string DieOutlineDxf(const solver::DieOutline& outline);

}  // namespace fluxeta::run
