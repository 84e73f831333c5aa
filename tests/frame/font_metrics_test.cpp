// The label fonts' metrics and the widths of texts measured with them.
#include "frame/font_metrics.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string_view>

#include "core/cp1251.h"

namespace mapbasis {
namespace {

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

}  // namespace
}  // namespace mapbasis
