// Every sheet of the grid, at every map scale that draws a frame, combined sheets included: no two
// labels of FrameDig and FrameAdj overlap on paper. Each label is taken as what it prints, a band
// along its line as tall as its text, measured on the map in millimetres from the records alone.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "driver/frame_stage.h"
#include "driver/run_generation.h"
#include "frame/frame_layers.h"
#include "frame/map_offsets.h"
#include "geometry/sheet_grid.h"
#include "geometry/sheet_trapezoid.h"
#include "graticule/grid_lines.h"

namespace mapbasis {
namespace {

// Digits and capitals stand about three quarters of the type size tall.
constexpr double kInkShareOfSize = 0.75;
constexpr double kMmPerPoint = 25.4 / 72.0;
// Two bands closer than this on every side are taken as touching, not overlapping.
constexpr double kTouching = 0.01;

struct PrintedLabel {
  std::string text;
  double lon0, lat0, lon1, lat1;  // the line's first and last vertex
  double height;                  // mm
};

struct Point {
  double x, y;
};

// The four corners of a label's band in mm, in a plane true to the map around the meridian `lon`.
std::array<Point, 4> Band(const PrintedLabel& l, double lon, double mmPerDegree) {
  const auto at = [&](double lo, double la) {
    return Point{(lo - lon) * std::cos(la * M_PI / 180) * mmPerDegree, la * mmPerDegree};
  };
  const Point a = at(l.lon0, l.lat0), b = at(l.lon1, l.lat1);
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  const double nx = -(b.y - a.y) / length * l.height / 2, ny = (b.x - a.x) / length * l.height / 2;
  return {Point{a.x + nx, a.y + ny}, Point{b.x + nx, b.y + ny}, Point{b.x - nx, b.y - ny},
          Point{a.x - nx, a.y - ny}};
}

// Whether two bands overlap: no side of either separates them (by more than touching).
bool Overlap(const std::array<Point, 4>& p, const std::array<Point, 4>& q) {
  for (const auto* box : {&p, &q}) {
    for (int e = 0; e < 2; ++e) {
      const Point a = (*box)[e], b = (*box)[e + 1];
      const double len = std::hypot(b.x - a.x, b.y - a.y);
      const double ax = (b.x - a.x) / len, ay = (b.y - a.y) / len;
      double pMin = 1e300, pMax = -1e300, qMin = 1e300, qMax = -1e300;
      for (const Point& c : p) {
        pMin = std::min(pMin, c.x * ax + c.y * ay);
        pMax = std::max(pMax, c.x * ax + c.y * ay);
      }
      for (const Point& c : q) {
        qMin = std::min(qMin, c.x * ax + c.y * ay);
        qMax = std::max(qMax, c.x * ax + c.y * ay);
      }
      if (pMax < qMin + kTouching || qMax < pMin + kTouching) return false;
    }
  }
  return true;
}

// The label of a FrameAdj or FrameDig record: its attribute text is code\text\font\size\.
PrintedLabel LabelOf(std::string_view attributes, const VertexWork& line) {
  std::vector<std::string> fields(1);
  for (const char c : attributes) {
    if (c == '\\') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  const auto x = line.X(), y = line.Y();
  return {fields.at(1), x.front(), y.front(),
          x.back(),     y.back(),  std::stod(fields.at(3)) * kMmPerPoint * kInkShareOfSize};
}

struct PrintedLabels {
  std::vector<PrintedLabel> labels;  // FrameAdj's and FrameDig's, in the order written
  std::size_t parallels = 0, meridians = 0, coordinateLabels = 0;
};

// Takes the labels of FrameAdj and FrameDig as the frame is drawn; a line the work arrays could not
// hold is refused, as the layers refuse it.
class LabelReader final : public FrameRecords {
 public:
  explicit LabelReader(PrintedLabels& printed) : printed_(printed) {}

  Outcome Write(FrameSlot slot, std::string_view attributes, const VertexWork& line) override {
    if (line.Incomplete()) return Failure(FrameFault::kNotWritten, "a line beyond the work arrays");
    if (slot == FrameSlot::Frame) return Success();
    if (slot == FrameSlot::FrameDig) ++printed_.coordinateLabels;
    printed_.labels.push_back(LabelOf(attributes, line));
    return Success();
  }

 private:
  PrintedLabels& printed_;
};

// The labels of a sheet, built as a run builds them without writing them.
PrintedLabels LabelsOf(const SheetParameters& p) {
  GenerationWork work;
  NameSheets(p, work);
  EXPECT_TRUE(InteriorGridLines(p.yFrom, p.yTo, p.BaseSouth, p.ParallelStep, GridLines::kParallels,
                                work.ParallelLats)
                  .ok());
  EXPECT_TRUE(InteriorGridLines(p.xFrom, p.xTo, p.BaseWest, p.MeridianStep, GridLines::kMeridians,
                                work.MeridianLons)
                  .ok());
  CompleteGraticuleList(work.ParallelLats, p.yFrom, p.yTo, p.BaseSouth, p.ParallelStep);
  CompleteGraticuleList(work.MeridianLons, p.xFrom, p.xTo, p.BaseWest, p.MeridianStep);
  PrintedLabels printed;
  printed.parallels = work.ParallelLats.size();
  printed.meridians = work.MeridianLons.size();
  LabelReader reader(printed);
  VertexWork scratch;
  const Outcome built =
      DrawFrame(reader, FrameArgsOf(p, {}, work), work.ParallelLats, work.MeridianLons, scratch);
  EXPECT_TRUE(built.ok()) << built.reason;
  return printed;
}

SheetParameters SheetOf(std::int32_t series, std::int32_t belt, std::int32_t zone,
                        std::int32_t sheetNo, std::int32_t extra, std::int32_t scale) {
  SheetParameters p;
  p.CS = 1;
  p.MillionSeries = series;
  p.MapScale = scale;
  p.Belt = belt;
  p.Zone = zone;
  p.SheetNo = sheetNo;
  p.ExtraSheets = extra;
  StoreBaseParameters(ComputeBaseTrapezoid(GridSheetOf(p)), p);
  UseBaseTrapezoid(p);
  return p;
}

double MmPerDegree(const SheetParameters& p) {
  static constexpr double kDenominators[2][2] = {{200000, 500000}, {1000000, 2500000}};
  return kEarthRadius * 1e6 * M_PI / 180 / kDenominators[p.MillionSeries][p.MapScale];
}

// The first two labels that overlap, as «text» and «text»; empty when none do.
std::string FirstOverlap(const std::vector<PrintedLabel>& labels, double mmPerDegree) {
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (labels[i].text.empty()) continue;
    const double lon = (labels[i].lon0 + labels[i].lon1) / 2;
    const auto a = Band(labels[i], lon, mmPerDegree);
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      if (labels[j].text.empty()) continue;
      if (std::fabs(labels[j].lat0 - labels[i].lat0) * mmPerDegree > 30) continue;
      if (Overlap(a, Band(labels[j], lon, mmPerDegree))) {
        return "«" + Cp1251ToUtf8(labels[i].text) + "» and «" + Cp1251ToUtf8(labels[j].text) + "»";
      }
    }
  }
  return {};
}

TEST(LabelsOnPaper, NoTwoLabelsOverlapOnAnySheetOfTheGrid) {
  const char* const scaleNames[2][2] = {{"1:200 000", "1:500 000"}, {"1:1 000 000", "1:2 500 000"}};
  const std::int32_t zones[] = {1,  2,  33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45,
                                46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60};
  struct Tally {
    int sheets = 0, overlapping = 0, thinned = 0;
    std::string first;
  } tally[2][2];
  for (std::int32_t series = 0; series < 2; ++series) {
    for (std::int32_t belt = 1; belt <= 11; ++belt) {
      for (const std::int32_t zone : zones) {
        for (std::int32_t sheetNo = series == 1 ? 0 : 1; sheetNo <= (series == 1 ? 0 : 36);
             ++sheetNo) {
          for (const std::int32_t extra : OfferedSheetKinds(SeriesOfRecord(series), belt)) {
            for (std::int32_t scale = 0; scale < 2; ++scale) {
              const SheetParameters p = SheetOf(series, belt, zone, sheetNo, extra, scale);
              const PrintedLabels printed = LabelsOf(p);
              Tally& t = tally[series][scale];
              ++t.sheets;
              // Every parallel is labelled twice on each side, every meridian once on each.
              if (printed.coordinateLabels < 4 * printed.parallels + 2 * printed.meridians) {
                ++t.thinned;
              }
              const std::string overlap = FirstOverlap(printed.labels, MmPerDegree(p));
              if (overlap.empty()) continue;
              ++t.overlapping;
              if (t.first.empty()) {
                t.first = Cp1251ToUtf8(SheetNameOf(GridSheetOf(p))) + ": " + overlap;
              }
            }
          }
        }
      }
    }
  }
  for (int series = 0; series < 2; ++series) {
    for (int scale = 0; scale < 2; ++scale) {
      const Tally& t = tally[series][scale];
      std::printf("%-12s %5d sheets, %4d with labels thinned, %d with labels overlapping\n",
                  scaleNames[series][scale], t.sheets, t.thinned, t.overlapping);
      EXPECT_EQ(t.overlapping, 0) << scaleNames[series][scale] << ", first " << t.first;
    }
  }
}

// Where labels would run into each other, every k-th stays (the smallest k at which they stand
// clear), counted from the west or south corner, and the label at the other corner stays too.
TEST(LabelsOnPaper, LabelsThinnedAlongASideKeepTheCorners) {
  struct Case {
    const char* what;
    SheetParameters p;
    const char* north;        // the longitude labels above the sheet, west to east
    const char* south;        // and below it
    const char* westMinutes;  // the minute texts of the latitude labels, south to north
  };
  SheetParameters refinedParallels = SheetOf(0, 8, 37, 14, 0, 1);  // N-37-XIV at 1:500 000
  refinedParallels.ParallelStep = 1.0 / 60;
  SheetParameters narrow = SheetOf(1, 1, 1, 0, 0, 1);  // U-01 at 1:2 500 000, 3' wide
  narrow.xTo = narrow.xFrom + 0.05;
  narrow.MeridianStep = 0.05;
  const Case cases[] = {
      {"U-01 at 1:2 500 000: the meridians 4.6 mm apart at 84 N, 7 mm at 80 N",
       SheetOf(1, 1, 1, 0, 0, 1), "180° 00'|178° 00'|176° 00'|174° 00'",
       "180° 00'|179° 00'|178° 00'|177° 00'|176° 00'|175° 00'|174° 00'",
       "00'|40'|20'|00'|40'|20'|00'"},
      {"U-01-I at 1:500 000", SheetOf(0, 1, 1, 1, 0, 1), "180° 00'|179° 30'|179° 00'",
       "180° 00'|179° 30'|179° 00'", "20'|30'|40'|50'|00'"},
      {"N-37-XIV at 1:500 000 with a parallel every minute: every other one labelled",
       refinedParallels, "37° 00'|37° 15'|37° 30'|37° 45'|38° 00'",
       "37° 00'|37° 15'|37° 30'|37° 45'|38° 00'",
       "00'|02'|04'|06'|08'|10'|12'|14'|16'|18'|20'|22'|24'|26'|28'|30'|32'|34'|36'|38'|40'"},
      {"two corner labels that cannot both stand: the west one stays", narrow, "180° 00'",
       "180° 00'", "00'|40'|20'|00'|40'|20'|00'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string north, south, westMinutes;
    const auto add = [](std::string& list, const std::string& text) {
      list += (list.empty() ? "" : "|") + Cp1251ToUtf8(text);
    };
    const PrintedLabels printed = LabelsOf(c.p);
    for (const PrintedLabel& l : printed.labels) {
      if (l.text.find(' ') != std::string::npos) {  // a longitude: «37° 15'»
        add(l.lat0 > c.p.yTo ? north : south, l.text);
      } else if (l.lon1 < c.p.xFrom && l.text.back() == '\'') {
        add(westMinutes, l.text);
      }
    }
    EXPECT_EQ(north, c.north);
    EXPECT_EQ(south, c.south);
    EXPECT_EQ(westMinutes, c.westMinutes);
    EXPECT_EQ(FirstOverlap(printed.labels, MmPerDegree(c.p)), "");
  }
}

}  // namespace
}  // namespace mapbasis
