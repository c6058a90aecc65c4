// Reading die documents: every family read back as written, and every refusal naming the
// key, or the file, line and column of a profile.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "die_test_documents.h"
#include "fluxeta/case/die_document.h"
#include "fluxeta/case/die_profile.h"
#include "fluxeta/case/document_error.h"

namespace fluxeta::cases {
namespace {

using nlohmann::json;
using solver::testing::NewtonianTDie;

std::string Refusal(const json& document) {
  try {
    ReadDieDocument(document, FLUXETA_TEST_DATA);
  } catch (const DocumentError& error) {
    return error.what();
  }
  return "accepted";
}

template <typename Change>
std::string RefusalOf(Change change) {
  json document = NewtonianTDie(1.0);
  change(document);
  return Refusal(document);
}

TEST(DieDocument, ReadsEachFamilyAndWritesItBackWithItsDefaults) {
  json tDie = NewtonianTDie(1.0);
  tDie.erase("inertia_factor");
  tDie.erase("friction_factor");
  const DieDocument die = ReadDieDocument(tDie, FLUXETA_TEST_DATA);
  EXPECT_EQ(die.family(), DieFamily::TDie);
  EXPECT_EQ(die.inertiaFactor, 1.3);
  EXPECT_EQ(die.frictionFactor, 16);
  json expected = NewtonianTDie(1.0);
  EXPECT_EQ(DieDocumentJson(die), expected);

  for (const json& document : {solver::testing::DefaultTaperedDie(),
                               solver::testing::UniformCoatHangerDie(0.5, 0.075, 4.0)}) {
    const json written = DieDocumentJson(ReadDieDocument(document, FLUXETA_TEST_DATA));
    EXPECT_EQ(DieDocumentJson(ReadDieDocument(written, FLUXETA_TEST_DATA)), written);
    EXPECT_EQ(written["geometry"]["family"], document["geometry"]["family"]);
  }

  json tables = NewtonianTDie(1.0);
  tables["geometry"] = {{"family", "coat-hanger"},
                        {"width", 40.0},
                        {"feed", "centre"},
                        {"gap", 0.05},
                        {"radius", {{0, 1.0}, {20, 0.4}}},
                        {"land_length", {{0, 6.0}, {10, 5.0}, {20, 4.0}}}};
  const DieDocument hanger = ReadDieDocument(tables, FLUXETA_TEST_DATA);
  EXPECT_EQ(hanger.feed(), DieFeed::Centre);
  EXPECT_EQ(hanger.solvedWidth(), 20.0);
  EXPECT_EQ(DieDocumentJson(hanger)["geometry"], tables["geometry"]);
}

TEST(DieDocument, FileTextIsFixedAndReadsBackToItself) {
  json tDie = NewtonianTDie(0.5);
  tDie["description"] = "a T-die";
  tDie["flow_rate"] = 0.1;
  const std::string text = DieDocumentText(ReadDieDocument(tDie, FLUXETA_TEST_DATA));
  EXPECT_EQ(text,
            "{\n"
            "  \"density\": 0.0,\n"
            "  \"description\": \"a T-die\",\n"
            "  \"flow_rate\": 0.1,\n"
            "  \"fluid\": {\n"
            "    \"model\": \"newtonian\",\n"
            "    \"viscosity\": 1.0\n"
            "  },\n"
            "  \"friction_factor\": 16.0,\n"
            "  \"geometry\": {\n"
            "    \"family\": \"t-die\",\n"
            "    \"feed\": \"end\",\n"
            "    \"gap\": 0.05,\n"
            "    \"land_length\": 5.0,\n"
            "    \"manifold\": {\n"
            "      \"radius\": 0.5,\n"
            "      \"shape\": \"circle\"\n"
            "    },\n"
            "    \"width\": 50.0\n"
            "  },\n"
            "  \"inertia_factor\": 1.3,\n"
            "  \"stations\": 50\n"
            "}\n");
  for (const json& document : {solver::testing::DefaultTaperedDie(),
                               solver::testing::UniformCoatHangerDie(0.3, 0.075, 4.0)}) {
    const std::string written = DieDocumentText(ReadDieDocument(document, FLUXETA_TEST_DATA));
    EXPECT_EQ(DieDocumentText(
                  ReadDieDocument(ParseDieDocumentText(written, "written"), FLUXETA_TEST_DATA)),
              written);
  }
}

TEST(DieDocument, RefusalsNameTheKey) {
  EXPECT_EQ(RefusalOf([](json& d) { d.erase("geometry"); }), "geometry: missing");
  EXPECT_EQ(RefusalOf([](json& d) { d["geometry"].erase("gap"); }), "geometry.gap: missing");
  EXPECT_EQ(RefusalOf([](json& d) { d["geometry"]["gap"] = "0.05"; }),
            "geometry.gap: must be a number, not a text");
  EXPECT_EQ(RefusalOf([](json& d) { d["geometry"]["manifold"]["radius"] = 0; }),
            "geometry.manifold.radius: must be a positive number (cm), not 0");
  EXPECT_EQ(RefusalOf([](json& d) { d["geometry"]["land_length"] = -5; }),
            "geometry.land_length: must be a positive number (cm), not -5");
  EXPECT_EQ(RefusalOf([](json& d) { d["density"] = -1; }),
            "density: must not be negative (g/cm3), not -1");
  EXPECT_EQ(RefusalOf([](json& d) { d.erase("flow_rate"); }), "flow_rate: missing");
  EXPECT_EQ(RefusalOf([](json& d) { d["geometry"]["family"] = "fishtail"; }),
            "geometry.family: unknown die family \"fishtail\"; the families are tapered, "
            "t-die, coat-hanger, profile");
  EXPECT_EQ(RefusalOf([](json& d) { d["geometry"]["manifold"]["shape"] = "oval"; }),
            "geometry.manifold.shape: unknown manifold shape \"oval\"; the shapes are circle, "
            "teardrop, rectangle");
  EXPECT_EQ(RefusalOf([](json& d) {
              d["geometry"]["manifold"] = {{"shape", "teardrop"}, {"radius", 1.0}, {"height", 1.5}};
            }),
            "geometry.manifold.height: a teardrop's height must be at least twice its radius "
            "(2 cm), not 1.5");
  EXPECT_EQ(RefusalOf([](json& d) { d["geometry"]["feed"] = "side"; }),
            "geometry.feed: must be \"end\" or \"centre\", not \"side\"");
  EXPECT_EQ(RefusalOf([](json& d) { d["stations"] = 50.5; }),
            "stations: must be a whole number from 2 to 100000, not 50.5");
  EXPECT_EQ(RefusalOf([](json& d) {
              d["geometry"]["feed"] = "centre";
              d["stations"] = 51;
            }),
            "stations: a centre-fed die needs an even number of stations, the same on both "
            "halves, not 51");
  EXPECT_EQ(RefusalOf([](json& d) { d["flow"] = 10; }).rfind("flow: unknown key", 0), 0u)
      << RefusalOf([](json& d) { d["flow"] = 10; });
  EXPECT_EQ(RefusalOf([](json& d) { d["fluid"]["viscosity"] = 0; }),
            "fluid.viscosity: must be a positive number (Pa.s), not 0");

  json tapered = solver::testing::DefaultTaperedDie();
  tapered["geometry"]["feed"] = "centre";
  EXPECT_EQ(Refusal(tapered), "geometry.feed: the tapered die is fed at its end only");

  json hanger = solver::testing::UniformCoatHangerDie(0.5, 0.05, 4.0);
  EXPECT_EQ(Refusal(hanger), "geometry.min_radius: must exceed the gap (0.05 cm), not 0.05");
  hanger["geometry"] = {{"family", "coat-hanger"},
                        {"width", 40.0},
                        {"gap", 0.05},
                        {"radius", {{0, 1.0}, {30, 0.6}, {20, 0.4}}},
                        {"land_length", {{0, 6.0}, {40, 4.0}}}};
  EXPECT_EQ(Refusal(hanger), "geometry.radius.2.0: x must increase, but 20 follows 30");
  hanger["geometry"]["radius"] = {{0, 1.0}, {30, 0.6}};
  EXPECT_EQ(Refusal(hanger),
            "geometry.radius: x runs from 0 to 30 cm; it must cover the die from the feed (0) "
            "to the closed end (40 cm)");
  hanger["geometry"]["radius"] = {{0, 1.0}, {40, -0.6}};
  EXPECT_EQ(Refusal(hanger), "geometry.radius.1.1: must be a positive number (cm), not -0.6");
}

std::string ProfileRefusal(std::string_view text) {
  try {
    ParseProfileCsv(text, "die.csv");
  } catch (const DocumentError& error) {
    return error.what();
  }
  return "accepted";
}

TEST(DieProfile, ReadsRowsAfterAHeaderAndRefusesWithLineAndColumn) {
  const ProfileTable table = ParseProfileCsv(
      "x,A,Pe,L,H\n# from the drawing\n0, 3.0, 6.1, 3, 0.05\n\n50,1,3.5,2.5,0.05\n", "die.csv");
  EXPECT_EQ(table.x, (std::vector<double>{0, 50}));
  EXPECT_EQ(table.Pe, (std::vector<double>{6.1, 3.5}));

  EXPECT_EQ(ProfileRefusal("x,A,Pe,L,H\n0,3,6,3,0.05\n10,3,6,3,0.05\n10,3,6,3,0.05\n"),
            "die.csv:4: column 1 (x): must increase, but 10 follows 10");
  EXPECT_EQ(ProfileRefusal("0,3,6,3,0.05\n10,3,6,0,0.05\n"),
            "die.csv:2: column 4 (L): must be a positive number (cm), not 0");
  EXPECT_EQ(ProfileRefusal("0,3,6,3,0.05\n10,3,six,3,0.05\n"),
            "die.csv:2: column 3 (Pe): not a number: \"six\"");
  EXPECT_EQ(ProfileRefusal("0,3,6,3\n"), "die.csv:1: 4 cells; a row holds x, A, Pe, L, H");
  EXPECT_EQ(ProfileRefusal("x,A,Pe,L,H\n0,3,6,3,0.05\n"),
            "die.csv: fewer than two rows of x, A, Pe, L, H");
}

TEST(DieProfile, DocumentReadsItsFileBesideItAndNamesAMissingOne) {
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() / ("fluxeta-profile-" + std::to_string(::getpid()));
  std::filesystem::create_directories(directory);
  std::ofstream(directory / "die.csv")
      << "x,A,Pe,L,H\n0,3,6.14,3,0.05\n25,2,5,2.8,0.05\n50,1,3.5,2.5,0.05\n";
  json document = NewtonianTDie(1.0);
  document["geometry"] = {{"family", "profile"}, {"width", 50.0}, {"profile", "die.csv"}};
  const DieDocument die = ReadDieDocument(document, directory);
  const auto& profile = std::get<ProfileGeometry>(die.geometry).profile;
  EXPECT_EQ(profile.A, (std::vector<double>{3, 2, 1}));
  document["geometry"]["width"] = 60.0;
  try {
    ReadDieDocument(document, directory);
    ADD_FAILURE() << "a profile short of the width was read";
  } catch (const DocumentError& error) {
    EXPECT_STREQ(error.what(),
                 "geometry.profile: x runs from 0 to 50 cm; it must cover the die from the feed "
                 "(0) to the closed end (60 cm)");
  }
  document["geometry"]["profile"] = "gone.csv";
  try {
    ReadDieDocument(document, directory);
    ADD_FAILURE() << "a missing profile was read";
  } catch (const DocumentError& error) {
    EXPECT_STREQ(error.what(), "profile 'gone.csv': No such file or directory");
  }
  std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace fluxeta::cases
