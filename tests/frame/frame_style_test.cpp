// The style of each map scale: which frame elements it draws, where, and in which font.
#include "frame/frame_style.h"

#include <gtest/gtest.h>

namespace mapbasis {
namespace {

TEST(FrameStyle, EachScaleHasItsElements) {
  struct Case {
    int series, scale;
    double S;
    bool band, extensions, coordinates, adjacent;
    OuterFrameLines outerKind;
    double outerOffset;
    int labelFont;
    double labelSize;
    int labelCode;
  } const cases[] = {
      {0, 0, 200000, true, true, true, true, OuterFrameLines::kOne, 9.800000190734863, 2, 6.5,
       400912},
      {0, 1, 500000, false, false, true, false, OuterFrameLines::kOne, 5.0, 2, 5.0, 400913},
      {0, 2, 1000000, false, false, false, false, OuterFrameLines::kNone, 0.0, 0, 0.0, 0},
      {1, 0, 1000000, true, false, true, false, OuterFrameLines::kBetweenCompanions, 8.5, 3, 8.0,
       400912},
      {1, 1, 2500000, false, false, true, false, OuterFrameLines::kOne, 5.0, 3, 5.5, 400913},
      {1, 2, 5000000, false, false, false, false, OuterFrameLines::kNone, 0.0, 0, 0.0, 0},
      {0, 3, 0, false, false, false, false, OuterFrameLines::kNone, 0.0, 0, 0.0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.series << "/" << c.scale);
    const FrameStyle s = FrameStyleFor(c.series, c.scale);
    EXPECT_EQ(s.ScaleDenominator, c.S);
    EXPECT_EQ(s.MinuteFrame, c.band);
    EXPECT_EQ(s.GraticuleExtensions, c.extensions);
    EXPECT_EQ(s.CoordinateLabels, c.coordinates);
    EXPECT_EQ(s.AdjacentLabels, c.adjacent);
    EXPECT_EQ(s.OuterFrameKind, c.outerKind);
    if (c.outerKind != OuterFrameLines::kNone) {
      EXPECT_EQ(s.OuterFrameOffset, c.outerOffset);
    }
    if (c.coordinates) {
      EXPECT_EQ(s.CoordinateLabelFont, c.labelFont);
      EXPECT_EQ(s.CoordinateLabelSize, c.labelSize);
      EXPECT_EQ(s.CoordinateLabelCode, c.labelCode);
    }
    EXPECT_TRUE(s.XFirstFilled && s.YFirstFilled);
  }
  // The band and the companions keep their single-precision widths.
  EXPECT_EQ(FrameStyleFor(0, 0).MinuteFrameWidth, 1.2000000476837158);
  EXPECT_EQ(FrameStyleFor(1, 0).MinuteFrameOffset, 0.0);
  EXPECT_EQ(FrameStyleFor(1, 0).OuterFrameSpacing, 1.100000023841858);
}

}  // namespace
}  // namespace mapbasis
