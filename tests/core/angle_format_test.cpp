#include "core/angle_format.h"

#include <string>

#include <gtest/gtest.h>

#include "core/cp1251.h"

namespace mapbasis {
namespace {

std::string Utf8(const std::string& cp1251) { return Cp1251ToUtf8(cp1251); }

TEST(AngleFormat, DegreesAndMinutes) {
  const struct {
    double angle;
    const char* whole;     // FormatDegreesMinutes
    const char* decimals;  // FormatDegreesDecimalMinutes, for the angles the layout writes
  } cases[] = {
      {12.0, "12° 00'", "12° 00'"},
      {2.0 / 3.0, "0° 40'", "0° 40'"},
      {84.0 - 2.0 / 3.0, "83° 20'", "83° 20'"},
      {13.0 - 0.01 / 60.0, "13° 00'", "12° 59.99'"},
      {13.0 - 0.001 / 60.0, "13° 00'", "13° 00'"},
      {59.99999, "60° 00'", "60° 00'"},
      {186.0, "186° 00'", "186° 00'"},
      {0.0, "0° 00'", "0° 00'"},
      {-0.001 / 60.0, "0° 00'", nullptr},
      // 22.5 minutes: halves go away from zero.
      {0.375, "0° 23'", "0° 22.50'"},
      {54.0 + 2.0 / 3.0, "54° 40'", "54° 40'"},
      {37.5 + 0.13 / 60.0, "37° 30'", "37° 30.13'"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8(FormatDegreesMinutes(c.angle)), c.whole) << c.angle;
    if (c.decimals != nullptr) {
      EXPECT_EQ(Utf8(FormatDegreesDecimalMinutes(c.angle)), c.decimals) << c.angle;
    }
  }
  EXPECT_EQ(FormatMinutes(1), "01'");
  EXPECT_EQ(FormatMinutes(40), "40'");
  EXPECT_EQ(FormatMinutes(0), "00'");
  EXPECT_EQ(Utf8(FormatWholeDegrees(40.0)), "40°");
  EXPECT_EQ(Utf8(FormatWholeDegrees(168.0)), "168°");
}

// The texts with hemispheres: the dialogs' sheet line and refinement fields, and the print
// layout's trapezoid and central meridian.
TEST(AngleFormat, HemispheresAndRanges) {
  constexpr AngleTextForm kDialog = AngleTextForm::kDialog, kLayout = AngleTextForm::kLayout;
  const struct {
    double lon;
    const char* dialog;
    const char* layout;
  } longitudes[] = {
      {37.0, "37° 00' в. д.", "37° 00' в.д."},
      {186.0, "174° 00' з. д.", "174° 00' з.д."},
      // A west longitude beyond 360 names the meridian it reaches round the globe.
      {372.0, "12° 00' в. д.", "12° 00' в.д."},
      {-10.0, "10° 00' з. д.", "10° 00' з.д."},
      // The meridians 0 and 180 lie on neither side in the dialogs, within the tolerance.
      {180.0, "180° 00'", "180° 00' в.д."},
      {180.0001, "180° 00'", "179° 59.99' з.д."},
      {360.0, "0° 00'", "0° 00' в.д."},
      {359.9999, "0° 00'", "0° 00.01' з.д."},
      {190.2525, "169° 45' з. д.", "169° 44.85' з.д."},
  };
  for (const auto& c : longitudes) {
    EXPECT_EQ(Utf8(LongitudeText(c.lon, kDialog)), c.dialog) << c.lon;
    EXPECT_EQ(Utf8(LongitudeText(c.lon, kLayout)), c.layout) << c.lon;
  }
  EXPECT_EQ(Utf8(LatitudeText(54.5, kDialog)), "54° 30' с. ш.");
  EXPECT_EQ(Utf8(LatitudeText(54.5, kLayout)), "54° 30' с.ш.");

  const struct {
    double west, east;
    const char* dialog;
    const char* layout;
  } ranges[] = {
      {37.0, 38.0, "37° 00' – 38° 00' в. д.", "37° 00' – 38° 00' в.д."},
      {174.0, 198.0, "174° 00' в. д. – 162° 00' з. д.", "174° 00' в.д. – 162° 00' з.д."},
      {180.0, 186.0, "180° 00' – 174° 00' з. д.", "180° 00' в.д. – 174° 00' з.д."},
      // An east edge without a side takes the west edge's.
      {174.0, 180.0, "174° 00' в. д. – 180° 00' в. д.", "174° 00' – 180° 00' в.д."},
      {186.0, 192.0, "174° 00' – 168° 00' з. д.", "174° 00' – 168° 00' з.д."},
  };
  for (const auto& c : ranges) {
    EXPECT_EQ(Utf8(LongitudeRangeText(c.west, c.east, kDialog)), c.dialog) << c.west;
    EXPECT_EQ(Utf8(LongitudeRangeText(c.west, c.east, kLayout)), c.layout) << c.west;
  }
  EXPECT_EQ(Utf8(LatitudeRangeText(54.0, 54.0 + 2.0 / 3.0, kDialog)), "54° 00' – 54° 40' с. ш.");
  EXPECT_EQ(Utf8(LatitudeRangeText(54.0, 54.0 + 2.0 / 3.0, kLayout)), "54° 00' – 54° 40' с.ш.");
}

}  // namespace
}  // namespace mapbasis
