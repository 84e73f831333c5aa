#include "graticule/grid_lines.h"

#include <gtest/gtest.h>

namespace mapbasis {
namespace {

TEST(GridLines, InteriorLinesOnly) {
  const double h = 2.0 / 3.0;
  std::vector<double> lines;
  ASSERT_TRUE(InteriorGridLines(60.0, 64.0, 60.0, h, GridLines::kParallels, lines).ok());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], 60.0 + h);
  EXPECT_EQ(lines[1], (60.0 + h) + h);
  EXPECT_EQ(lines[4], (60.0 + h) + 4 * h);

  // An edge between grid lines: the first line above it.
  ASSERT_TRUE(InteriorGridLines(60.5, 64.0, 60.0, h, GridLines::kParallels, lines).ok());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], 60.0 + h);
  // An edge within 1/6000 degree of a grid line: that line is the edge, the next one is first.
  ASSERT_TRUE(
      InteriorGridLines(60.0 + h + 0.0001, 64.0, 60.0, h, GridLines::kParallels, lines).ok());
  EXPECT_EQ(lines[0], (60.0 + h) + h);
  EXPECT_EQ(lines.size(), 4u);

  // Thinner than one step: nothing.
  ASSERT_TRUE(InteriorGridLines(60.1, 60.6, 60.0, h, GridLines::kParallels, lines).ok());
  EXPECT_TRUE(lines.empty());
  // Six degrees at one degree: five meridians.
  ASSERT_TRUE(InteriorGridLines(36.0, 42.0, 36.0, 1.0, GridLines::kMeridians, lines).ok());
  EXPECT_EQ(lines.size(), 5u);

  // More than the lists hold.
  const Outcome overflow = InteriorGridLines(0.0, 30.0, 0.0, 0.25, GridLines::kMeridians, lines);
  EXPECT_EQ(overflow.fault, GridFault::kOverflow);
  EXPECT_EQ(
      overflow.reason,
      "the sheet would carry more than 100 meridians; choose a larger MeridianStep or a smaller "
      "trapezoid");
  EXPECT_TRUE(
      InteriorGridLines(0.0, 25.25, 0.0, 0.25, GridLines::kMeridians, lines).ok());  // exactly 100
  EXPECT_EQ(InteriorGridLines(0.0, 1.0, 0.0, 0.0, GridLines::kMeridians, lines).fault,
            GridFault::kUnsearchable);
}

}  // namespace
}  // namespace mapbasis
