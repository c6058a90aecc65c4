#include <gtest/gtest.h>

#include "fluxeta/case/document_error.h"
#include "fluxeta/case/liquid_document.h"

namespace fluxeta::cases {
namespace {

using nlohmann::json;

std::string Refusal(const json& fluid) {
  try {
    ReadLiquidDocument(fluid, "fluid");
  } catch (const DocumentError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(LiquidDocument, ReadsAndWritesEveryModelOfTheTable) {
  const json oil = {{"model", "newtonian"}, {"viscosity", 1.5}};
  EXPECT_EQ(ReadLiquidDocument(oil, "fluid").Parameter("viscosity"), 1.5);
  const json window = {
      {"model", "window"}, {"eta0", 10.0}, {"gamma0", 1.0}, {"n", 0.5}, {"gammacr", 50.0}};
  EXPECT_EQ(LiquidDocumentJson(ReadLiquidDocument(window, "fluid")), window);
}

TEST(LiquidDocument, RefusalsNameTheKey) {
  EXPECT_EQ(Refusal({{"viscosity", 1.0}}), "fluid.model: missing");
  EXPECT_EQ(Refusal({{"model", "honey"}}),
            "fluid.model: unknown liquid model \"honey\"; the models are newtonian, power-law, "
            "window, cross, carreau-yasuda, carreau, herschel-bulkley, bingham");
  EXPECT_EQ(Refusal({{"model", "newtonian"}}), "fluid.viscosity: missing");
  EXPECT_EQ(Refusal({{"model", "newtonian"}, {"viscosity", "1"}}),
            "fluid.viscosity: must be a number, not a text");
  EXPECT_EQ(Refusal({{"model", "newtonian"}, {"viscosity", true}}),
            "fluid.viscosity: must be a number, not a boolean");
  EXPECT_EQ(Refusal({{"model", "power-law"}, {"K", 1.0}, {"n", 0}}),
            "fluid.n: must be a positive number (-), not 0");
  EXPECT_EQ(Refusal({{"model", "newtonian"}, {"viscosity", 1.0}, {"visocsity", 2.0}}),
            "fluid.visocsity: unknown key");
  EXPECT_EQ(Refusal(json::array()), "fluid: must be an object, not a list");
}

}  // namespace
}  // namespace fluxeta::cases
