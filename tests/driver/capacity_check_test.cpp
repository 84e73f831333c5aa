// The sheets a run can hold: a sheet beyond the lists or the work arrays is refused before
// anything is made, with the reason.
#include "driver/capacity_check.h"

#include <gtest/gtest.h>

#include "geometry/sheet_grid.h"
#include "geometry/sheet_trapezoid.h"

namespace mapbasis {
namespace {

// N-37-XIV with its defaults, as the parameter file would leave it.
SheetParameters StandardSheet() {
  SheetParameters p;
  p.Belt = 8;
  p.Zone = 37;
  p.SheetNo = 14;
  StoreBaseParameters(ComputeBaseTrapezoid(GridSheetOf(p)), p);
  UseBaseTrapezoid(p);
  return p;
}

TEST(CapacityCheck, SheetsBeyondTheCapacitiesAreRefused) {
  struct Case {
    const char* what;
    void (*change)(SheetParameters&);
    const char* says;
  } const cases[] = {
      {"101 parallels with the edges",
       [](SheetParameters& p) {
         p.ParallelStep = 1.0 / 60.0;
         p.yFrom = 54.0;
         p.BaseSouth = 54.0;
         p.yTo = 54.0 + 100.0 / 60.0;
       },
       "parallels"},
      {"too many meridians", [](SheetParameters& p) { p.MeridianStep = 1.0 / 60.0 / 2.0; },
       "meridians"},
      {"a line of more than 10 000 vertices",
       [](SheetParameters& p) {
         p.MeridianStep = 100.0;
         p.xTo = p.xFrom + 1300.0;
       },
       "10000 vertices"},
      {"zero parallel step", [](SheetParameters& p) { p.ParallelStep = 0.0; }, "positive"},
      {"negative meridian step", [](SheetParameters& p) { p.MeridianStep = -0.25; }, "positive"},
      {"zero minute division", [](SheetParameters& p) { p.yMinute = 0; }, "positive"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SheetParameters p = StandardSheet();
    c.change(p);
    const Outcome r = CheckSheetFits(p);
    EXPECT_EQ(r.fault, CapacityFault::kDoesNotFit);
    EXPECT_NE(r.reason.find(c.says), std::string::npos) << r.reason;
  }
  // Exactly 100 parallels, edges included, still fit.
  SheetParameters p = StandardSheet();
  p.ParallelStep = 1.0 / 60.0;
  p.yFrom = p.BaseSouth = 54.0;
  p.yTo = 54.0 + 99.0 / 60.0;
  EXPECT_TRUE(CheckSheetFits(p).ok()) << CheckSheetFits(p).reason;
}

}  // namespace
}  // namespace mapbasis
