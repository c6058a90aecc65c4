// A document's number beyond a double is named by the path of its key, however deep, and
// every other parse fault keeps the parser's reason.
#include "json_document_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace fluxeta::cli {
namespace {

std::string Refusal(std::string_view text) {
  auto parsed = ParseJsonDocument(text);
  const std::string* refusal = std::get_if<std::string>(&parsed);
  return refusal ? *refusal : "(parsed)";
}

TEST(JsonDocumentParser, NamesTheKeyOfANumberBeyondADouble) {
  const std::pair<std::string, std::string> cases[] = {
      {R"({"web_speed": 1e700})", "web_speed"},
      {R"({"web_speed": 5, "vacuum": [0, -1e700]})", "vacuum[1]"},
      // Keys and elements after a closed object or array count from where they stand.
      {R"({"a": {"b": [1, 2]}, "c": 1e999})", "c"},
      {R"({"a": [{"b": 1}, {"c": [1, [2], 3, 1e400]}]})", "a[1].c[3]"},
      {R"([[1], [2, 1e700]])", "[1][1]"},
      {R"({"geometry": {"manifold": {"shape": "circle", "radius": 2e308}}})",
       "geometry.manifold.radius"},
  };
  for (const auto& [text, path] : cases) {
    const std::string refusal = Refusal(text);
    EXPECT_EQ(refusal.substr(0, refusal.find(": number overflow parsing '")), path) << text;
  }
  EXPECT_EQ(Refusal("1e700"), "not JSON: number overflow parsing '1e700'");
}

TEST(JsonDocumentParser, KeepsTheParsersReasonForAnyOtherFault) {
  EXPECT_EQ(Refusal(R"({"web_speed": 5,)").rfind("not JSON: parse error at line 1, column 17", 0),
            0u);
  const auto parsed = ParseJsonDocument(R"({"vacuum": [0, 300], "web_speed": 1e308})");
  ASSERT_TRUE(std::holds_alternative<nlohmann::json>(parsed));
  EXPECT_EQ(std::get<nlohmann::json>(parsed),
            nlohmann::json({{"vacuum", {0, 300}}, {"web_speed", 1e308}}));
}

}  // namespace
}  // namespace fluxeta::cli
