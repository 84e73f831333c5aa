#include "shapeout/attribute_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace mapbasis {
namespace {

// All values that a text hands out, up to the first one without its backslash.
std::vector<std::string> ValuesOf(std::string_view text) {
  std::vector<std::string> values;
  AttributeValues reader(text);
  while (const auto value = reader.Next()) values.emplace_back(*value);
  return values;
}

TEST(AttributeText, SplitsValuesAtBackslashes) {
  using Values = std::vector<std::string>;
  EXPECT_EQ(ValuesOf("   400011\\"), Values{"400011"});
  EXPECT_EQ(ValuesOf("-1\\abc"), Values{"-1"});
  EXPECT_EQ(ValuesOf("a  \\   b c  \\\\tail"), (Values{"a  ", "b c  ", ""}));
  EXPECT_EQ(ValuesOf("-1\\N-37-XIV\\          "), (Values{"-1", "N-37-XIV"}));
  EXPECT_EQ(ValuesOf("   "), Values{});

  const std::string longValue(300, 'x');
  EXPECT_EQ(ValuesOf(longValue + "\\y\\"), (Values{std::string(256, 'x'), "y"}));
}

TEST(AttributeText, ReadsIntegers) {
  const struct {
    const char* value;
    std::optional<std::int32_t> number;
  } cases[] = {
      {"", 0},
      {"400011", 400011},
      {"  -1", -1},
      {"+7", 7},
      {"12 34", 12},
      {"12,5", 12},
      {"12/", 12},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"12abc", std::nullopt},
      {"1.5", std::nullopt},
      {"1e3", std::nullopt},
      {"-", std::nullopt},
      {",", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"123456789012345678901234567890", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(ReadIntegerValue(c.value), c.number);
  }
}

TEST(AttributeText, ReadsDoubles) {
  const struct {
    const char* value;
    std::optional<double> number;
  } cases[] = {
      {"", 0.0},
      {"1,5", 1.5},
      {"-2.25", -2.25},
      {"+3", 3.0},
      {".5", 0.5},
      {"5.", 5.0},
      {"1e3", 1000.0},
      {"1E-2", 0.01},
      {"2.5d1", 25.0},
      {"1D+2", 100.0},
      {"1,5,7", 1.5},
      {"54.666666666666664 rest", 54.666666666666664},
      {"0.1/", 0.1},
      {"abc", std::nullopt},
      {"1.5x", std::nullopt},
      {"1,5.3", std::nullopt},
      {"1e", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"inf", std::nullopt},
      {"1e999", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(ReadDoubleValue(c.value), c.number);
  }
}

}  // namespace
}  // namespace mapbasis
