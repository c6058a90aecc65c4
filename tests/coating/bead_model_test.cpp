#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "fluxeta/coating/bead_model.h"

namespace fluxeta::coating {
namespace {

std::string ThreeFigures(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", value);
  return text;
}

TEST(LowFlowLimit, GivesThePublishedGapToThicknessRatios) {
  EXPECT_EQ(ThreeFigures(LargestGapToThickness(0.01)), "33.3");
  EXPECT_EQ(ThreeFigures(LargestGapToThickness(0.03)), "16.5");
  EXPECT_EQ(ThreeFigures(LargestGapToThickness(0.1)), "7.97");
  EXPECT_EQ(ThreeFigures(LargestGapToThickness(0.3)), "4.35");
  // Ca = 0.65·[2/(G/t − 1)]^(3/2): at G/t = 3, Ca = 0.65 exactly.
  EXPECT_EQ(LowFlowCapillaryNumber(3), 0.65);
  EXPECT_EQ(LargestGapToThickness(0.65), 3);
  EXPECT_DOUBLE_EQ(LowFlowCapillaryNumber(LargestGapToThickness(0.1)), 0.1);
}

// A bead whose figures are worked by hand below.
Bead HandBead(double viscosity, double speed, double gap, double upstreamLip, double downstreamLip,
              double surfaceTension) {
  OperatingPoint point;
  point.webSpeed = speed;
  point.coatingGap = gap;
  point.upstreamLip = upstreamLip;
  point.downstreamLip = downstreamLip;
  point.surfaceTension = surfaceTension;
  return MakeBead(point, liquids::Liquid(liquids::Newtonian{viscosity}));
}

// A thin film at 1 m/s: μ 5 mPa.s, G 200 µm, both lips 1 mm, σ 0.04 N/m, t 50 µm.
//   Ca = 0.005 Pa.s × 1 m/s / 0.04 N/m = 0.125, Ca^(2/3) = 0.25
//   downstream meniscus  −1.34 × 0.25 × 0.04 N/m / 50e-6 m = −0.335 × 800 = −268 Pa
//   downstream lip rise  6 × 0.005 × 1 × 1e-3 × (200e-6 − 100e-6) / (200e-6)³
//                        = 3e-5 × 1e-4 / 8e-12 = 375 Pa
//   feed slot            −268 − 375 = −643 Pa
//   upstream lip rise    6 × 0.005 × 1 × 1e-3 / (200e-6)² = 3e-5 / 4e-8 = 750 Pa
//   capillary allowances 0 at the feed slot's edge, σ/G = 0.04 / 200e-6 = 200 Pa at the lip's
//   vacuum               least 643 Pa, most 643 + 750 + 200 = 1593 Pa
//   low-flow limit       G/t ≤ 1 + 2 × (0.65 / 0.125)^(2/3) = 1 + 2 × 5.2^(2/3) = 7.00239…,
//                        t ≥ 200 µm / 7.00239… = 28.5617… µm
TEST(BeadModel, ReproducesAThinFilmWorkedByHand) {
  const Bead bead = HandBead(0.005, 100, 0.02, 0.1, 0.1, 0.04);
  EXPECT_EQ(bead.shearRate, 5000);
  EXPECT_DOUBLE_EQ(bead.capillaryNumber, 0.125);
  const double film = 0.005;
  EXPECT_DOUBLE_EQ(DownstreamMeniscusPressure(bead, film), -268);
  EXPECT_DOUBLE_EQ(DownstreamLipPressureRise(bead, film), 375);
  EXPECT_DOUBLE_EQ(FeedSlotPressure(bead, film), -643);
  EXPECT_DOUBLE_EQ(UpstreamLipPressureRise(bead), 750);
  EXPECT_EQ(LeastVacuumCapillaryAllowance(bead), 0);
  EXPECT_DOUBLE_EQ(MostVacuumCapillaryAllowance(bead), 200);
  const VacuumLimits vacuum = BeadVacuumLimits(bead, film);
  EXPECT_DOUBLE_EQ(vacuum.least, 643);
  EXPECT_DOUBLE_EQ(vacuum.most, 1593);
  EXPECT_EQ(ThreeFigures(LowFlowThickness(bead) * 1e4), "28.6");  // µm
}

// A shear-thinning liquid, film thicker than half the gap: power law K 1 Pa.s^0.5, n 0.5;
// V 10 cm/s, G 250 µm, L_u 2 mm, L_d 0.5 mm, σ 0.078125 N/m, t 150 µm.
//   V/G = 0.1 m/s / 250e-6 m = 400 1/s, μ = 1 × 400^(−0.5) = 0.05 Pa.s
//   Ca = 0.05 × 0.1 / 0.078125 = 0.064, Ca^(2/3) = 0.16
//   downstream meniscus  −1.34 × 0.16 × 0.078125 / 150e-6 = −0.2144 × 3125/6 = −670/6 Pa
//   downstream lip rise  6 × 0.05 × 0.1 × 0.5e-3 × (250e-6 − 300e-6) / (250e-6)³
//                        = 1.5e-5 × (−5e-5) / 1.5625e-11 = −48 Pa (the pressure falls)
//   feed slot            −670/6 + 48 = −382/6 = −63.67 Pa
//   upstream lip rise    6 × 0.05 × 0.1 × 2e-3 / (250e-6)² = 6e-5 / 6.25e-8 = 960 Pa
//   vacuum               least 382/6 = 63.67 Pa, most 382/6 + 960 + 0.078125/250e-6
//                        = 382/6 + 960 + 312.5 = 8017/6 = 1336.17 Pa
TEST(BeadModel, ReproducesAShearThinningThickFilmWorkedByHand) {
  OperatingPoint point;
  point.webSpeed = 10;
  point.coatingGap = 0.025;
  point.upstreamLip = 0.2;
  point.downstreamLip = 0.05;
  point.surfaceTension = 0.078125;
  const Bead bead = MakeBead(point, liquids::Liquid(liquids::PowerLaw{1, 0.5}));
  EXPECT_DOUBLE_EQ(bead.shearRate, 400);
  EXPECT_DOUBLE_EQ(bead.viscosity, 0.05);
  EXPECT_DOUBLE_EQ(bead.capillaryNumber, 0.064);
  const double film = 0.015;
  EXPECT_DOUBLE_EQ(DownstreamMeniscusPressure(bead, film), -670.0 / 6);
  EXPECT_DOUBLE_EQ(DownstreamLipPressureRise(bead, film), -48);
  // A difference of terms of 112 Pa and 48 Pa: right to the larger's last digits.
  constexpr double kToTheTermsDigits = 1e-13;  // Pa
  EXPECT_NEAR(FeedSlotPressure(bead, film), -382.0 / 6, kToTheTermsDigits);
  EXPECT_DOUBLE_EQ(UpstreamLipPressureRise(bead), 960);
  const VacuumLimits vacuum = BeadVacuumLimits(bead, film);
  EXPECT_NEAR(vacuum.least, 382.0 / 6, kToTheTermsDigits);
  EXPECT_DOUBLE_EQ(vacuum.most, 8017.0 / 6);
}

// Both roots of the quadratic in t, each branch: a film the downstream lip's rise dominates
// (target below 6μV·L_d/G²) and one its meniscus dominates (above).
TEST(BeadModel, FilmOfAVacuumInvertsTheVacuumLimits) {
  const Bead bead = HandBead(0.005, 100, 0.02, 0.1, 0.1, 0.04);
  for (const double film : {0.005, 0.002, 0.0005, 0.0199}) {
    const VacuumLimits vacuum = BeadVacuumLimits(bead, film);
    EXPECT_DOUBLE_EQ(ThicknessAtLeastVacuum(bead, vacuum.least), film) << film;
    EXPECT_DOUBLE_EQ(ThicknessAtMostVacuum(bead, vacuum.most), film) << film;
  }
  // The film that needs 1270 Pa: at t = 20 µm, 0.0134 / 20e-6 = 670 Pa of meniscus and
  // 3e-5 × (200e-6 − 40e-6) / 8e-12 = 600 Pa of the downstream lip.
  EXPECT_DOUBLE_EQ(ThicknessAtLeastVacuum(bead, 1270), 0.002);
  // Thinner films need more vacuum, and bear more.
  EXPECT_GT(ThicknessAtLeastVacuum(bead, 1000), ThicknessAtLeastVacuum(bead, 2000));
  EXPECT_GT(ThicknessAtMostVacuum(bead, 2000), ThicknessAtMostVacuum(bead, 3000));
}

}  // namespace
}  // namespace fluxeta::coating
