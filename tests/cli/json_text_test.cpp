// The JSON writer's two layouts, byte for byte.
#include "json_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace fluxeta::cli {
namespace {

using nlohmann::ordered_json;

ordered_json Table() {
  ordered_json table;
  table["inputs"]["W"] = {{"value", 66.0}, {"unit", "cm"}};
  table["sweeps"] = 7;
  table["empty"] = ordered_json::array();
  table["stations"] = ordered_json::array({{{"station", 1}, {"P", 1.5e5}}});
  return table;
}

TEST(JsonText, KeepsContainersOfLeavesOnOneLine) {
  EXPECT_EQ(JsonText(Table(), JsonLayout::LeavesInline),
            "{\n"
            "  \"inputs\": {\n"
            "    \"W\": {\"value\": 66, \"unit\": \"cm\"}\n"
            "  },\n"
            "  \"sweeps\": 7,\n"
            "  \"empty\": [],\n"
            "  \"stations\": [\n"
            "    {\"station\": 1, \"P\": 150000}\n"
            "  ]\n"
            "}");
}

TEST(JsonText, IndentsEveryContainerInTheIndentedLayout) {
  EXPECT_EQ(JsonText(Table()["inputs"], JsonLayout::Indented),
            "{\n  \"W\": {\n    \"value\": 66.0,\n    \"unit\": \"cm\"\n  }\n}");
}

TEST(JsonText, WritesANumberThatIsNotFiniteAsNull) {
  const ordered_json values = {std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN(), 0.1};
  EXPECT_EQ(JsonText(values, JsonLayout::LeavesInline), "[null, null, 0.1]");
  EXPECT_EQ(JsonText(values, JsonLayout::Indented), "[\n  null,\n  null,\n  0.1\n]");
}

}  // namespace
}  // namespace fluxeta::cli
