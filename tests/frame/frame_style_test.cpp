// The style of each map scale: which frame elements it draws, where, and in which font.
#include "frame/frame_style.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace mapbasis
