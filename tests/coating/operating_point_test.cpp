#include <string>

#include <gtest/gtest.h>

#include "fluxeta/case/document_error.h"
#include "fluxeta/coating/operating_point.h"

namespace fluxeta::coating {
namespace {

using nlohmann::json;

json Document() {
  return {{"web_speed", 5},        {"coating_gap", 0.17},     {"upstream_lip", 0.2},
          {"downstream_lip", 0.2}, {"surface_tension", 0.03}, {"vacuum", {0, 300}}};
}

std::string Refusal(const json& document) {
  try {
    ReadOperatingPoint(document);
  } catch (const cases::DocumentError& error) {
    return error.what();
  }
  return "accepted";
}

json With(const std::string& key, const json& value) {
  json document = Document();
  document[key] = value;
  return document;
}

TEST(OperatingPoint, ReadsAndWritesTheDocument) {
  const OperatingPoint point = ReadOperatingPoint(Document());
  EXPECT_EQ(point.webSpeed, 5);
  EXPECT_EQ(point.coatingGap, 0.17);
  EXPECT_EQ(point.upstreamLip, 0.2);
  EXPECT_EQ(point.downstreamLip, 0.2);
  EXPECT_EQ(point.surfaceTension, 0.03);
  EXPECT_EQ(point.lowestVacuum, 0);
  EXPECT_EQ(point.highestVacuum, 300);
  EXPECT_EQ(json(OperatingPointJson(point)), Document());
  // A vacuum may be an overpressure, and a single value.
  const OperatingPoint pushed = ReadOperatingPoint(With("vacuum", {-50, -50}));
  EXPECT_EQ(pushed.lowestVacuum, -50);
  EXPECT_EQ(pushed.highestVacuum, -50);
}

TEST(OperatingPoint, RefusesSizesThatAreNotPositiveNamingTheKey) {
  EXPECT_EQ(Refusal(With("web_speed", 0)), "web_speed: must be a positive number (cm/s), not 0");
  EXPECT_EQ(Refusal(With("coating_gap", -0.01)),
            "coating_gap: must be a positive number (cm), not -0.01");
  EXPECT_EQ(Refusal(With("upstream_lip", 0)),
            "upstream_lip: must be a positive number (cm), not 0");
  EXPECT_EQ(Refusal(With("downstream_lip", -1)),
            "downstream_lip: must be a positive number (cm), not -1");
  EXPECT_EQ(Refusal(With("surface_tension", 0)),
            "surface_tension: must be a positive number (N/m), not 0");
}

TEST(OperatingPoint, RefusesMissingUnknownAndMistypedKeys) {
  json missing = Document();
  missing.erase("coating_gap");
  EXPECT_EQ(Refusal(missing), "coating_gap: missing");
  EXPECT_EQ(Refusal(With("coating_gaps", 0.1)), "coating_gaps: unknown key");
  EXPECT_EQ(Refusal(With("web_speed", "5")), "web_speed: must be a number, not a text");
  EXPECT_EQ(Refusal(With("surface_tension", true)),
            "surface_tension: must be a number, not a boolean");
  EXPECT_EQ(Refusal(json::array()), "the document: must be an object, not a list");
}

TEST(OperatingPoint, RefusesAVacuumThatIsNotARange) {
  const std::string notARange = "vacuum: must be a list of two numbers [lowest, highest] (Pa)";
  EXPECT_EQ(Refusal(With("vacuum", 300)), notARange);
  EXPECT_EQ(Refusal(With("vacuum", {0, 100, 300})), notARange);
  EXPECT_EQ(Refusal(With("vacuum", {0, "300"})), "vacuum[1]: must be a finite number (Pa)");
  EXPECT_EQ(Refusal(With("vacuum", {nullptr, 300})), "vacuum[0]: must be a finite number (Pa)");
  EXPECT_EQ(Refusal(With("vacuum", {300, 0})),
            "vacuum: the lowest vacuum 300 Pa is above the highest 0 Pa");
}

}  // namespace
}  // namespace fluxeta::coating
