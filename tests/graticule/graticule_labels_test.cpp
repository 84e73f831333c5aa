#include "graticule/graticule_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp1251.h"
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
    EXPECT_EQ(Cp1251ToUtf8(GraticuleLineAttributes(c.kind, c.value)), c.utf8)
        << "kind " << c.kind << " value " << c.value;
  }
}

// The values of an attribute text, split at its backslashes.
std::vector<std::string> Values(const std::string& text) {
  std::vector<std::string> values;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\\', start)) != std::string::npos; start = end + 1) {
    values.push_back(text.substr(start, end - start));
  }
  return values;
}

TEST(GraticuleLabels, TextsFitTheirFieldsInCp1251) {
  // L_code N(6), Text C(40), Grad C(5), Min C(7), Indication C(5): widths count cp1251 bytes, and
  // a value cut by its field would be a wrong label.
  const std::size_t widths[] = {6, 40, 5, 7, 5};
  const auto fits = [&](std::int32_t kind, double value) {
    const std::vector<std::string> values = Values(GraticuleLineAttributes(kind, value));
    if (values.size() != 5) return false;
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (values[i].size() > widths[i]) return false;
    }
    return true;
  };
  // Every meridian of the grid and beyond it, every parallel, every kind.
  for (double lon = 0.0; lon <= 366.0; lon += 1.0 / 120.0) {
    ASSERT_TRUE(fits(kLineMeridian, lon)) << lon;
  }
  for (double lat = 32.0; lat <= 90.0; lat += 1.0 / 120.0)
    ASSERT_TRUE(fits(kLineParallel, lat)) << lat;
  EXPECT_TRUE(fits(kLineArcticCircle, 0.0));
  EXPECT_TRUE(fits(kLineOutline, 0.0));

  // Lat and Lon of a node are C(20).
  for (double a = 0.0; a <= 366.0; a += 0.1) {
    const std::vector<std::string> values = Values(NodeAttributes(a, a));
    ASSERT_EQ(values.size(), 3u);
    ASSERT_LE(values[1].size(), 20u) << a;
  }
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
  for (const auto& c : cases)
    EXPECT_EQ(Cp1251ToUtf8(FormatDegreesMinutesSeconds(c.angle)), c.utf8) << c.angle;
  EXPECT_EQ(Cp1251ToUtf8(NodeAttributes(54.0, 37.125)), "-1\\  54°00'00\"\\  37°07'30\"\\");
}

}  // namespace
}  // namespace mapbasis
