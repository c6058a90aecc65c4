// The viscocapillary model of the slot-coating bead: the liquid between the die's lips and
// the moving web, held by a downstream meniscus that forms the film and an upstream meniscus
// that the vacuum holds on the upstream lip. Along the web (x, the web's direction) the bead
// is a plane Couette–Poiseuille flow under each lip:
//   under the downstream lip the film's flow per width q = V·t passes, so the pressure rises
//   towards the downstream meniscus by 6μV·L_d·(G − 2t)/G³;
//   under the upstream lip nothing passes, so the pressure rises towards the feed slot by
//   6μV·l/G² over the wetted length l ≤ L_u;
//   the downstream meniscus, which forms the film, stands 1.34·Ca^(2/3)·σ/t below ambient
//   (Landau–Levich; Ca = μV/σ ≪ 1).
// Hence the pressure under the feed slot relative to ambient
//   p_f = −1.34·Ca^(2/3)·σ/t − 6μV·L_d·(G − 2t)/G³,
// and the vacuum v (ambient minus the pressure upstream of the bead) that holds the upstream
// meniscus between the feed slot's edge (l = 0) and the upstream lip's outer edge (l = L_u):
//   v_least = −p_f + c_least,   v_most = −p_f + 6μV·L_u/G² + c_most,
// where c = −σ(cos θ_web + cos θ_lip)/G is what the upstream meniscus's capillary pressure adds
// (the liquid just inside it stands σ(cos θ_web + cos θ_lip)/G below the gas upstream), with
// the contact angles through the liquid taken as:
//   θ_web = 180°, the web's dynamic angle at the high speeds of coating (a smaller angle
//     lowers both limits by σ(1 + cos θ_web)/G, at most 2σ/G);
//   θ_lip = 0°, lips the liquid wets: at the feed slot's edge c_least = −σ(−1 + 1)/G = 0;
//   at the lip's square outer edge the pinned meniscus may turn through the corner's 90°
//     before it runs up the lip's face, so θ_lip reaches 90° and c_most = −σ(−1 + 0)/G = σ/G.
// The thinnest film the bead forms at a capillary number (the low-flow limit, the downstream
// meniscus at its tightest radius (G − t)/2):
//   Ca = 0.65·[2/(G/t − 1)]^(3/2).
//
// Quantities come in Fluxeta's units (cm, cm/s, Pa.s, N/m) and the formulas convert them to SI
// where they meet: pressures come out in Pa.
#pragma once

#include "fluxeta/coating/operating_point.h"
#include "fluxeta/liquids/liquid.h"

namespace fluxeta::coating {

// The film-forming meniscus: t = 1.34·Ca^(2/3)·R (Landau–Levich).
inline constexpr double kLandauLevichFactor = 1.34;
// The low-flow limit's factor as published; 1.34^(−3/2) would be 0.6447.
inline constexpr double kLowFlowFactor = 0.65;

// The contact angles of the upstream meniscus, through the liquid, as cosines.
inline constexpr double kCosWebContactAngle = -1;       // 180°
inline constexpr double kCosLipContactAngle = 1;        // 0°, lips wetted
inline constexpr double kCosLipCornerContactAngle = 0;  // 0° + the corner's 90°

// The bead at one web speed, before any film: what the liquid and the lips make of it.
struct Bead {
  double webSpeed = 0;         // V (cm/s)
  double coatingGap = 0;       // G (cm)
  double upstreamLip = 0;      // L_u (cm)
  double downstreamLip = 0;    // L_d (cm)
  double surfaceTension = 0;   // σ (N/m)
  double shearRate = 0;        // V/G, the bead's nominal shear rate (1/s)
  double viscosity = 0;        // μ at V/G (Pa.s)
  double capillaryNumber = 0;  // Ca = μV/σ (-)
};

// The bead of the operating point, at its web speed or at another.
Bead MakeBead(const OperatingPoint& point, const liquids::Liquid& liquid);
Bead MakeBead(const OperatingPoint& point, const liquids::Liquid& liquid, double webSpeed);

// The low-flow limit as G/t: at most 1 + 2·(0.65/Ca)^(2/3); and its inverse, the capillary
// number at which a ratio G/t > 1 is the limit.
double LargestGapToThickness(double capillaryNumber);
double LowFlowCapillaryNumber(double gapToThickness);
// The thinnest film the bead forms (cm).
double LowFlowThickness(const Bead& bead);

// For a film of wet thickness t (cm), 0 < t < G; pressures relative to ambient (Pa).
double DownstreamMeniscusPressure(const Bead& bead, double wetThickness);
double DownstreamLipPressureRise(const Bead& bead, double wetThickness);
double FeedSlotPressure(const Bead& bead, double wetThickness);
// The rise from the upstream lip's outer edge to the feed slot (Pa).
double UpstreamLipPressureRise(const Bead& bead);

// The capillary pressures across the upstream meniscus at the two limits (Pa).
double LeastVacuumCapillaryAllowance(const Bead& bead);
double MostVacuumCapillaryAllowance(const Bead& bead);

// The vacuum (Pa) that keeps the upstream meniscus on the upstream lip: at `least` it sits at
// the feed slot's edge, at `most` at the lip's outer edge.
struct VacuumLimits {
  double least = 0;
  double most = 0;
};
VacuumLimits BeadVacuumLimits(const Bead& bead, double wetThickness);

// The wet thickness (cm) whose least vacuum is `vacuum`: thinner films need more. And the one
// whose most vacuum is `vacuum`: thicker films bear less. Both fall as the vacuum rises.
double ThicknessAtLeastVacuum(const Bead& bead, double vacuum);
double ThicknessAtMostVacuum(const Bead& bead, double vacuum);

}  // namespace fluxeta::coating
