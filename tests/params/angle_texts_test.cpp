#include "params/angle_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "core/angle_format.h"
#include "core/cp1251.h"

namespace mapbasis {
namespace {

TEST(AngleTexts, ParsesDegreesAndMinutes) {
  const std::optional<double> rejected;
  struct Case {
    std::string text;
    std::optional<double> angle;
  } const cases[] = {
      {"40", 40.0},
      {"0 40", 40 / 60.0},
      {Cp1251("0°40'").str(), 40 / 60.0},
      {"40 30", 40.5},
      {Cp1251("12°").str(), 12.0},
      {Cp1251("12°30'").str(), 12.5},
      {Cp1251("12° 30'").str(), 12.5},
      {"  12 30'  ", 12.5},
      {"12  30", 12.5},
      {"12 59", 12.0 + 59 / 60.0},
      {"12 30'x", 12.5},
      {"0012 05", 12.0 + 5 / 60.0},
      {"12 ", 12.0},
      {"2147483647", 2147483647.0},
      {"", rejected},
      {"   ", rejected},
      {"12.5", rejected},
      {"-1", rejected},
      {"+1", rejected},
      {"12 30.5", rejected},
      {"12 30 '", rejected},
      {"12 75", rejected},
      {"12 60", rejected},
      {"12 '", rejected},
      {Cp1251("12°'").str(), rejected},
      {Cp1251("°30").str(), rejected},
      {Cp1251("12 °30").str(), rejected},
      {"12x", rejected},
      {"12\t30", rejected},
      {"2147483648", rejected},
      {"12 2147483648'", rejected},
      {"99999999999999999999 00", rejected},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseDegreesMinutes(c.text), c.angle) << '"' << c.text << '"';
  }
}

TEST(AngleTexts, ParsesMinuteDivisions) {
  const std::optional<std::int32_t> rejected;
  struct Case {
    std::string text;
    std::optional<std::int32_t> minutes;
  } const cases[] = {
      {"05'", 5},        {"5", 5},          {"0", 0},
      {"59", 59},        {" 7 ", 7},        {"07'x", 7},
      {"60", rejected},  {"'", rejected},   {"", rejected},
      {"  ", rejected},  {"5 '", rejected}, {"-5", rejected},
      {"5.0", rejected}, {"x5", rejected},  {"99999999999'", rejected},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseWholeMinutes(c.text), c.minutes) << '"' << c.text << '"';
  }
}

// Whatever the formatter writes reads back as the angle rounded to the whole minute.
TEST(AngleTexts, FormattedAnglesReadBack) {
  for (int minutes = 0; minutes <= 400 * 60; ++minutes) {
    const double rounded = minutes / 60 + (minutes % 60) / 60.0;
    for (const double offset : {-0.49, 0.0, 0.49}) {
      const double angle = (minutes + offset) / 60.0;
      const auto back = ParseDegreesMinutes(FormatDegreesMinutes(angle));
      ASSERT_TRUE(back.has_value()) << angle;
      ASSERT_EQ(*back, rounded) << angle;
    }
  }
  for (std::int32_t n = 0; n <= 59; ++n) EXPECT_EQ(ParseWholeMinutes(FormatMinutes(n)), n);
}

}  // namespace
}  // namespace mapbasis
