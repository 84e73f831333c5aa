#include "frame/coordinate_labels.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"

namespace mapbasis {
namespace {

TEST(CoordinateTexts, RoundedToTheMinuteThenSplit) {
  struct Case {
    double value;
    bool longitude;
    const char* degrees;  // UTF-8
    const char* minutes;
    const char* hemisphere;
  } const cases[] = {
      {52.5, false, "52°", "30'", " "},
      {37.99999, true, "38°", "00'", "В"},
      {54.0 + 5.0 / 60, false, "54°", "05'", " "},
      {180.0, true, "180°", "00'", "В"},
      {190.0, true, "170°", "00'", "З"},
      {180.01, true, "179°", "59'", "З"},
      // Beyond 360 and below 0 a longitude names the meridian it reaches round the globe.
      {360.5, true, "0°", "30'", "В"},
      {-0.5, true, "0°", "30'", "З"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const CoordinateTexts t = CoordinateLabelTexts(c.value, c.longitude);
    EXPECT_EQ(Cp1251ToUtf8(t.degrees), c.degrees);
    EXPECT_EQ(t.minutes, c.minutes);
    EXPECT_EQ(Cp1251ToUtf8(t.hemisphere), c.hemisphere);
  }
}

}  // namespace
}  // namespace mapbasis
