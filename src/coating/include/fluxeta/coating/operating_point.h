// Where the die meets the web: the line's settings that, with the die's flow across the
// width, decide whether the coating bead holds. In Fluxeta's units, as the operating-point
// document writes them:
//   {"web_speed": 5, "coating_gap": 0.17, "upstream_lip": 0.2, "downstream_lip": 0.2,
//    "surface_tension": 0.03, "vacuum": [0, 300]}
#pragma once

#include <nlohmann/json.hpp>

namespace fluxeta::coating {

struct OperatingPoint {
  double webSpeed = 0;        // V (cm/s)
  double coatingGap = 0;      // G, lips to web (cm)
  double upstreamLip = 0;     // L_u, upstream lip length (cm)
  double downstreamLip = 0;   // L_d, downstream lip length (cm)
  double surfaceTension = 0;  // σ (N/m)
  // The vacuum the vacuum box can hold, ambient pressure minus the pressure upstream of the
  // bead (Pa): from `lowestVacuum` to `highestVacuum`.
  double lowestVacuum = 0;
  double highestVacuum = 0;
};

// Reads the document. Raises cases::DocumentError naming the key for a missing or unknown
// key, a value that is not a finite number, a speed, gap, lip length or surface tension that
// is not positive, and a vacuum that is not two numbers, lowest first.
OperatingPoint ReadOperatingPoint(const nlohmann::json& document);

// The document of an operating point, as ReadOperatingPoint reads it.
nlohmann::ordered_json OperatingPointJson(const OperatingPoint& point);

}  // namespace fluxeta::coating
