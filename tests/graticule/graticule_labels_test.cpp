#include "graticule/graticule_labels.h"

#include <gtest/gtest.h>

#include "driver/cp1251.h"
#include "graticule/graticule_points_areas.h"

namespace mapbasis {
namespace {

struct LabelCase {
  std::int32_t kind;
  double value;
  const char* utf8;  // the expected attribute text, in UTF-8 for readability
};

TEST(GraticuleLabels, AttributeTextsOfEveryLineKind) {
  const LabelCase cases[] = {
      {kLineParallel, 62.6666667, "400011\\Параллель\\62°\\40'\\с.ш.\\"},
      {kLineParallel, 54.0, "400011\\Параллель\\54°\\00'\\с.ш.\\"},
      // Rounded to the whole minute before the split: never 59° 60'.
      {kLineParallel, 59.99999, "400011\\Параллель\\60°\\00'\\с.ш.\\"},
      {kLineMeridian, 45.0, "400012\\Меридиан\\45°\\00'\\в.д.\\"},
      {kLineMeridian, 5.0, "400012\\Меридиан\\5°\\00'\\в.д.\\"},
      // A half minute goes up: 7.5' is 08'.
      {kLineMeridian, 0.125, "400012\\Меридиан\\0°\\08'\\в.д.\\"},
      {kLineMeridian, 180.0, "400012\\Меридиан\\180°\\00'\\в.д.\\"},
      {kLineMeridian, 180.004, "400012\\Меридиан\\180°\\00'\\в.д.\\"},
      // Beyond 180 after rounding: a west longitude.
      {kLineMeridian, 180.01, "400012\\Меридиан\\179°\\59'\\з.д.\\"},
      {kLineMeridian, 186.5, "400012\\Меридиан\\173°\\30'\\з.д.\\"},
      {kLineMeridian, 359.75, "400012\\Меридиан\\0°\\15'\\з.д.\\"},
      {kLineArcticCircle, 66.56072222222222, "400013\\Северный полярный круг\\66°\\33.64'\\с.ш.\\"},
      {kLineArcticCircle, 12.0, "400013\\Северный полярный круг\\66°\\33.64'\\с.ш.\\"},
      {kLineOutline, 37.0, "400010\\Рамка\\\\\\\\"},
      {kLineOutline, 190.0, "400010\\Рамка\\\\\\\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1251ToUtf8(CREATEHYPSLATT(c.kind, c.value)), c.utf8)
        << "kind " << c.kind << " value " << c.value;
  }
}

TEST(GraticuleLabels, TextsFitTheirFieldsInCp1251) {
  // Text C(40), Grad C(5), Min C(7), Indication C(5): widths count cp1251 bytes.
  EXPECT_EQ(Cp1251("Северный полярный круг").view().size(), 22u);
  EXPECT_EQ(Cp1251("180°").view().size(), 4u);
  EXPECT_EQ(Cp1251("з.д.").view().size(), 4u);
}

TEST(GraticuleLabels, DegreesMinutesSecondsOfNodes) {
  const struct {
    double angle;
    const char* utf8;
  } cases[] = {
      {62.6666667, "  62°40'00\""},
      {66.56072222222222, "  66°33'39\""},  // 38.6" rounds up
      {59.99999, "  60°00'00\""},
      {186.5, " 186°30'00\""},  // no hemisphere
      {54.0 + 5.0 / 60.0, "  54°05'00\""},
      {37.125, "  37°07'30\""},
      {0.0, "   0°00'00\""},
  };
  for (const auto& c : cases) EXPECT_EQ(Cp1251ToUtf8(GRADMINSEC(c.angle)), c.utf8) << c.angle;
  EXPECT_EQ(Cp1251ToUtf8(CREATEHYPSPATT(54.0, 37.125)), "-1\\  54°00'00\"\\  37°07'30\"\\");
}

}  // namespace
}  // namespace mapbasis
