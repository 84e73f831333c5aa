// The style of each map scale, the label fonts' metrics and the label texts.
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "frame/coordinate_labels.h"
#include "frame/font_metrics.h"
#include "frame/frame_style.h"

namespace mapbasis {
namespace {

// Which parts each scale draws is the map-scale table's (tests/core/map_scales_test.cpp); here,
// where and how it draws them.
TEST(FrameStyle, EachScaleHasItsMeasures) {
  struct Case {
    int series, scale;
    double S;
    double outerOffset;
    int labelFont;
    double labelSize;
    int labelCode;
  } const cases[] = {
      {0, 0, 200000, 9.800000190734863, 2, 6.5, 400912},
      {0, 1, 500000, 5.0, 2, 5.0, 400913},
      {0, 2, 1000000, 0.0, 0, 0.0, 0},
      {1, 0, 1000000, 8.5, 3, 8.0, 400912},
      {1, 1, 2500000, 5.0, 3, 5.5, 400913},
      {1, 2, 5000000, 0.0, 0, 0.0, 0},
      {0, 3, 0, 0.0, 0, 0.0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.series << "/" << c.scale);
    const FrameStyle s = FrameStyleFor(c.series, c.scale);
    EXPECT_EQ(s.ScaleDenominator, c.S);
    EXPECT_EQ(s.OuterFrameOffset, c.outerOffset);
    EXPECT_EQ(s.CoordinateLabelFont, c.labelFont);
    EXPECT_EQ(s.CoordinateLabelSize, c.labelSize);
    EXPECT_EQ(s.CoordinateLabelCode, c.labelCode);
    EXPECT_TRUE(s.XFirstFilled && s.YFirstFilled);
    // Graticule lines are carried out only to a band that lies off the sheet edge.
    if (s.elements.graticuleExtensions) {
      EXPECT_TRUE(s.elements.minuteBand && s.MinuteFrameOffset > 0.0);
    }
  }
  // The band and the companions keep their single-precision widths.
  EXPECT_EQ(FrameStyleFor(0, 0).MinuteFrameWidth, 1.2000000476837158);
  EXPECT_EQ(FrameStyleFor(1, 0).MinuteFrameOffset, 0.0);
  EXPECT_EQ(FrameStyleFor(1, 0).OuterFrameSpacing, 1.100000023841858);
  // A scale outside the series draws nothing.
  const FrameElements none = FrameStyleFor(1, -1).elements;
  EXPECT_FALSE(none.minuteBand || none.graticuleExtensions || none.adjacentNames ||
               none.coordinateLabels || none.outerFrame != OuterFrameLines::kNone);
}

TEST(FontMetrics, TablesAndMeasuring) {
  // Every defined code has an advance; nothing else has metrics.
  const int defined[] = {186, 186, 179};
  for (int font = 1; font <= 3; ++font) {
    int count = 0;
    for (int code = 0; code < 256; ++code) {
      if (FontMetrics(static_cast<unsigned char>(code), font).advance != 0) ++count;
    }
    EXPECT_EQ(count, defined[font - 1]) << FontName(font);
  }
  EXPECT_EQ(FontName(1), "PragmaticaC");
  EXPECT_EQ(FontName(3), "AGCenturion");
  // Measured rows of the real fonts win over the stand-ins.
  const GlyphMetrics one = FontMetrics('1', kFontFreeSet);
  EXPECT_EQ((std::array{one.advance, one.llx, one.lly, one.urx, one.ury}),
            (std::array<std::int16_t, 5>{359, 40, 0, 259, 700}));
  EXPECT_EQ(FontMetrics(0xB0, kFontCenturion).ury, 725);
  EXPECT_EQ(FontMetrics('V', kFontPragmatica).llx, -4);

  const double unit = 6.5 * 0.35277777777777775 / 1000;
  const auto degrees52 = Cp1251("52°");
  struct Case {
    std::string_view text;
    std::int32_t trim;
    double width, descent, ascent;  // units
  } const cases[] = {
      {degrees52, kTrimBoth, 1282, -8, 714},  // 558 + 523 + 336 - 80 - 336 + 280 + 1
      {degrees52, kTrimNone, 1417, -8, 714},
      {degrees52, kTrimLeft, 1337, -8, 714},
      {degrees52, kTrimRight, 1362, -8, 714},
      {"'", kTrimBoth, 95, 527, 700},      // one character: its ink plus one unit
      {"5\x7F", kTrimNone, 558, -8, 700},  // 127 has no metrics: width 0, box 0
      {"", kTrimBoth, 0, 999999, -999999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text << " trim " << c.trim);
    const TextExtent e = MeasureText(c.text, kFontFreeSet, 6.5, c.trim);
    EXPECT_DOUBLE_EQ(e.width, c.width * unit);
    EXPECT_DOUBLE_EQ(e.descent, c.descent * unit);
    EXPECT_DOUBLE_EQ(e.ascent, c.ascent * unit);
  }
  EXPECT_NEAR(MeasureText(degrees52, kFontFreeSet, 6.5, kTrimBoth).width, 2.9396972, 5e-8);
}

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
