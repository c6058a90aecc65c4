#include "fluxeta/coating/bead_model.h"

#include <cmath>

namespace fluxeta::coating {

namespace {

constexpr double kMetresPerCentimetre = 0.01;

double Metres(double centimetres) {
  return centimetres * kMetresPerCentimetre;
}

double Centimetres(double metres) {
  return metres / kMetresPerCentimetre;
}

// Ca^(2/3).
double TwoThirdsPower(double x) {
  return std::cbrt(x * x);
}

// The least vacuum of a film of t metres is a/t + b − c·t + c_least (Pa): the meniscus term
// a/t and the downstream lip's rise 6μV·L_d·(G − 2t)/G³ = b − c·t.
struct LeastVacuumTerms {
  double a = 0;  // 1.34·Ca^(2/3)·σ (Pa·m)
  double b = 0;  // 6μV·L_d/G² (Pa)
  double c = 0;  // 12μV·L_d/G³ (Pa/m)
};

LeastVacuumTerms TermsOf(const Bead& bead) {
  const double speed = Metres(bead.webSpeed);  // m/s
  const double gap = Metres(bead.coatingGap);
  const double land = Metres(bead.downstreamLip);
  const double drag = 6 * bead.viscosity * speed * land;  // 6μV·L_d (Pa·m²)
  return {kLandauLevichFactor * TwoThirdsPower(bead.capillaryNumber) * bead.surfaceTension,
          drag / (gap * gap), 2 * drag / (gap * gap * gap)};
}

// The positive root t (cm) of a/t + b − c·t = target, written so that neither branch
// subtracts nearly equal numbers.
double ThicknessOfLeastVacuumTerms(const LeastVacuumTerms& terms, double target) {
  // c·t² + d·t − a = 0
  const double d = target - terms.b;
  const double root = std::sqrt(d * d + 4 * terms.a * terms.c);
  const double metres = d >= 0 ? 2 * terms.a / (d + root) : (root - d) / (2 * terms.c);
  return Centimetres(metres);
}

}  // namespace

Bead MakeBead(const OperatingPoint& point, const liquids::Liquid& liquid) {
  return MakeBead(point, liquid, point.webSpeed);
}

Bead MakeBead(const OperatingPoint& point, const liquids::Liquid& liquid, double webSpeed) {
  Bead bead;
  bead.webSpeed = webSpeed;
  bead.coatingGap = point.coatingGap;
  bead.upstreamLip = point.upstreamLip;
  bead.downstreamLip = point.downstreamLip;
  bead.surfaceTension = point.surfaceTension;
  bead.shearRate = webSpeed / point.coatingGap;  // cm/s over cm
  bead.viscosity = liquid.Viscosity(bead.shearRate);
  bead.capillaryNumber = bead.viscosity * Metres(webSpeed) / point.surfaceTension;
  return bead;
}

double LargestGapToThickness(double capillaryNumber) {
  return 1 + 2 * TwoThirdsPower(kLowFlowFactor / capillaryNumber);
}

double LowFlowCapillaryNumber(double gapToThickness) {
  const double x = 2 / (gapToThickness - 1);
  return kLowFlowFactor * x * std::sqrt(x);
}

double LowFlowThickness(const Bead& bead) {
  return bead.coatingGap / LargestGapToThickness(bead.capillaryNumber);
}

double DownstreamMeniscusPressure(const Bead& bead, double wetThickness) {
  return -kLandauLevichFactor * TwoThirdsPower(bead.capillaryNumber) * bead.surfaceTension /
         Metres(wetThickness);
}

double DownstreamLipPressureRise(const Bead& bead, double wetThickness) {
  const double gap = Metres(bead.coatingGap);
  return 6 * bead.viscosity * Metres(bead.webSpeed) * Metres(bead.downstreamLip) *
         (gap - 2 * Metres(wetThickness)) / (gap * gap * gap);
}

double FeedSlotPressure(const Bead& bead, double wetThickness) {
  return DownstreamMeniscusPressure(bead, wetThickness) -
         DownstreamLipPressureRise(bead, wetThickness);
}

double UpstreamLipPressureRise(const Bead& bead) {
  const double gap = Metres(bead.coatingGap);
  return 6 * bead.viscosity * Metres(bead.webSpeed) * Metres(bead.upstreamLip) / (gap * gap);
}

double LeastVacuumCapillaryAllowance(const Bead& bead) {
  return -bead.surfaceTension * (kCosWebContactAngle + kCosLipContactAngle) /
         Metres(bead.coatingGap);
}

double MostVacuumCapillaryAllowance(const Bead& bead) {
  return -bead.surfaceTension * (kCosWebContactAngle + kCosLipCornerContactAngle) /
         Metres(bead.coatingGap);
}

VacuumLimits BeadVacuumLimits(const Bead& bead, double wetThickness) {
  const double feed = FeedSlotPressure(bead, wetThickness);
  return {-feed + LeastVacuumCapillaryAllowance(bead),
          -feed + UpstreamLipPressureRise(bead) + MostVacuumCapillaryAllowance(bead)};
}

double ThicknessAtLeastVacuum(const Bead& bead, double vacuum) {
  return ThicknessOfLeastVacuumTerms(TermsOf(bead), vacuum - LeastVacuumCapillaryAllowance(bead));
}

double ThicknessAtMostVacuum(const Bead& bead, double vacuum) {
  return ThicknessOfLeastVacuumTerms(
      TermsOf(bead), vacuum - UpstreamLipPressureRise(bead) - MostVacuumCapillaryAllowance(bead));
}

}  // namespace fluxeta::coating
