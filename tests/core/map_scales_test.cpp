// The map-scale table against the facts it holds: each series' three map scales, their
// denominators and names, and which parts of the frame each of them draws.
#include "core/map_scales.h"

#include <gtest/gtest.h>

namespace mapbasis {
namespace {

TEST(MapScales, EachScaleOfEachSeries) {
  using enum OuterFrameLines;
  struct Case {
    std::int32_t series, scale;
    double denominator;
    const char* thousands;
    const char* name;
    const char* listItem;
    const char* messageName;
    bool band;
    OuterFrameLines outer;
    bool extensions, names, labels;
  } const cases[] = {
      // The 1:200 000 series: the whole frame at its own scale, the outer frame and the labels
      // at 1:500 000, no frame at 1:1 000 000.
      {0, 0, 200000, "200", "1:200 000", "1 :   200 000", "1 : 200 000", true, kOne, true, true,
       true},
      {0, 1, 500000, "500", "1:500 000", "1 :   500 000", "1 : 500 000", false, kOne, false, false,
       true},
      {0, 2, 1000000, "1000", "1:1 000 000", "1 : 1 000 000", "1 : 1 000 000", false, kNone, false,
       false, false},
      // The 1:1 000 000 series: the band on the sheet edge (no extensions reach it) and the triple
      // outer frame at its own scale, never the neighbours' names.
      {1, 0, 1000000, "1000", "1:1 000 000", "1 : 1 000 000", "1 : 1 000 000", true,
       kBetweenCompanions, false, false, true},
      {1, 1, 2500000, "2500", "1:2 500 000", "1 : 2 500 000", "1 : 2 500 000", false, kOne, false,
       false, true},
      {1, 2, 5000000, "5000", "1:5 000 000", "1 : 5 000 000", "1 : 5 000 000", false, kNone, false,
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.series << "/" << c.scale);
    const MapScaleSpec* s = MapScaleOf(c.series, c.scale);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(&MapScalesOf(c.series)[static_cast<std::size_t>(c.scale)], s);
    EXPECT_EQ(s->MillionSeries, c.series);
    EXPECT_EQ(s->MapScale, c.scale);
    EXPECT_EQ(s->denominator, c.denominator);
    EXPECT_EQ(s->thousands, c.thousands);
    EXPECT_EQ(s->name, c.name);
    EXPECT_EQ(s->listItem, c.listItem);
    EXPECT_EQ(s->messageName, c.messageName);
    EXPECT_EQ(s->frame.minuteBand, c.band);
    EXPECT_EQ(s->frame.outerFrame, c.outer);
    EXPECT_EQ(s->frame.graticuleExtensions, c.extensions);
    EXPECT_EQ(s->frame.adjacentNames, c.names);
    EXPECT_EQ(s->frame.coordinateLabels, c.labels);
  }
  // A series is named by the scale of its own sheets; any MillionSeries but 0 is the 1:1 000 000
  // series. There is no fourth scale.
  EXPECT_EQ(SeriesScale(0).name, "1:200 000");
  EXPECT_EQ(SeriesScale(1).name, "1:1 000 000");
  EXPECT_EQ(SeriesScale(7).name, "1:1 000 000");
  for (const std::int32_t series : {0, 1}) {
    EXPECT_EQ(MapScalesOf(series).size(), 3u);
    EXPECT_EQ(MapScaleOf(series, 3), nullptr);
    EXPECT_EQ(MapScaleOf(series, -1), nullptr);
  }
}

}  // namespace
}  // namespace mapbasis
