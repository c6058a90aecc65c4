#include <gtest/gtest.h>

#include "fluxeta/case/document_error.h"
#include "fluxeta/liquids/liquid.h"
#include "fluxeta/liquids/temperature_shift.h"

namespace fluxeta::liquids {
namespace {

using nlohmann::json;

TEST(TemperatureShift, ShiftFactorsOfBothLaws) {
  // 40 kJ/mol from 25 °C to 40 °C, and the WLF constants 17.44 and 51.6 K 20 K above T_ref.
  EXPECT_EQ(ArrheniusShift(40000, 25, 40), 0.46166691167998974);
  EXPECT_EQ(WlfShift(17.44, 51.6, 100, 120), 1.344285827880485e-05);
  EXPECT_EQ(ArrheniusShift(40000, 25, 25), 1);
  EXPECT_EQ(WlfShift(17.44, 51.6, 100, 100), 1);
  // Cooler than the data, the liquid is thicker.
  EXPECT_GT(ArrheniusShift(40000, 25, 10), 1);
}

cases::LiquidDocument Read(const json& fluid) {
  return cases::ReadLiquidDocument(fluid, "fluid");
}

TEST(TemperatureShift, ADocumentsLiquidIsShiftedToTheDieTemperature) {
  const json carreau = {{"model", "carreau"},      {"eta0", 20.0}, {"eta_inf", 0.0},
                        {"lambda", 0.5},           {"n", 0.4},     {"name", "slurry"},
                        {"source", "illustrative"}};
  json warm = carreau;
  warm["temperature"] = {{"law", "arrhenius"},
                         {"activation_energy", 40000},
                         {"reference_temperature", 25},
                         {"die_temperature", 40}};
  const Liquid reference = MakeLiquid(Read(carreau));
  const Liquid shifted = MakeLiquid(Read(warm));
  const double aT = ArrheniusShift(40000, 25, 40);
  EXPECT_EQ(shifted.ShiftFactor(), aT);
  for (double rate : {0.01, 3.0, 1e4}) {
    EXPECT_DOUBLE_EQ(shifted.Viscosity(rate), aT * reference.Viscosity(aT * rate)) << rate;
  }
  // At the same wall stress the shifted liquid passes 1/aT times the flow.
  EXPECT_NEAR(shifted.SlotFlowPerWidth(500, 0.05) * aT / reference.SlotFlowPerWidth(500, 0.05), 1,
              1e-15);
  EXPECT_NEAR(shifted.SlotWallStress(0.3, 0.05) / reference.SlotWallStress(0.3 * aT, 0.05), 1,
              1e-14);
  // The document writes back what it read.
  EXPECT_EQ(cases::LiquidDocumentJson(Read(warm)), warm);
}

std::string Refusal(const json& fluid) {
  try {
    MakeLiquid(Read(fluid));
  } catch (const cases::DocumentError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(TemperatureShift, RefusalsNameTheKey) {
  const json cross = {
      {"model", "cross"}, {"eta0", 5.0}, {"eta_inf", 0.1}, {"lambda", 1.0}, {"m", 0.8}};
  const auto with = [&](const json& temperature) {
    json fluid = cross;
    fluid["temperature"] = temperature;
    return fluid;
  };
  EXPECT_EQ(Refusal(with({{"law", "vogel"}})),
            "fluid.temperature.law: unknown temperature law \"vogel\"; the laws are arrhenius, "
            "wlf");
  EXPECT_EQ(Refusal(with({{"law", "arrhenius"}, {"activation_energy", 4e4}})),
            "fluid.temperature.reference_temperature: missing");
  EXPECT_EQ(Refusal(with({{"law", "arrhenius"},
                          {"activation_energy", 4e4},
                          {"reference_temperature", -300},
                          {"die_temperature", 40}})),
            "fluid.temperature.reference_temperature: must be above absolute zero, -273.15 (°C), "
            "not -300");
  EXPECT_EQ(Refusal(with({{"law", "wlf"},
                          {"C1", 17.44},
                          {"C2", 51.6},
                          {"reference_temperature", 100},
                          {"die_temperature", 40}})),
            "fluid.temperature.die_temperature: must be above reference_temperature − C2 (48.4 "
            "°C) for the WLF law, not 40");
  EXPECT_EQ(Refusal(with({{"law", "arrhenius"},
                          {"activation_energy", 1e7},
                          {"reference_temperature", 200},
                          {"die_temperature", -200}})),
            "fluid.temperature: the shift factor a_T to the die temperature is out of range (inf)");
  EXPECT_EQ(Refusal(with({{"law", "wlf"},
                          {"C1", 17.44},
                          {"C2", 51.6},
                          {"reference_temperature", 100},
                          {"die_temperature", 120},
                          {"C3", 1}})),
            "fluid.temperature.C3: unknown key");
}

TEST(TemperatureShift, ModelRefusalsNameTheKey) {
  EXPECT_EQ(
      Refusal({{"model", "cross"}, {"eta0", 5.0}, {"eta_inf", 6.0}, {"lambda", 1.0}, {"m", 0.8}}),
      "fluid.eta_inf: must not exceed eta0 (Pa.s), not 6");
  EXPECT_EQ(
      Refusal({{"model", "cross"}, {"eta0", 5.0}, {"eta_inf", 0.0}, {"lambda", 1.0}, {"m", 1.0}}),
      "fluid.m: must be below 1 when eta_inf is 0, or the stress would never exceed "
      "eta0/lambda");
  EXPECT_EQ(Refusal({{"model", "carreau-yasuda"},
                     {"eta0", 5.0},
                     {"eta_inf", 0.0},
                     {"lambda", 1.0},
                     {"a", 2.0},
                     {"n", 1.2}}),
            "fluid.n: must be above 0 and at most 1 (-), not 1.2");
  EXPECT_EQ(Refusal({{"model", "bingham"}, {"tau_y", -1.0}, {"K", 1.0}}),
            "fluid.tau_y: must not be negative (Pa), not -1");
  EXPECT_EQ(Refusal({{"model", "carreau"},
                     {"eta0", 5.0},
                     {"eta_inf", 0.0},
                     {"lambda", 1.0},
                     {"n", 0.5},
                     {"a", 2.0}}),
            "fluid.a: unknown key");
}

}  // namespace
}  // namespace fluxeta::liquids
