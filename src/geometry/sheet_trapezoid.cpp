#include "geometry/sheet_trapezoid.h"

namespace mapbasis {

BaseParameters ComputeBaseTrapezoid(const GridSheet& sheet) {
  const SheetSize size = SeriesSheetSize(sheet.series);
  const LatticePlace at = PlaceOf(sheet);
  BaseParameters b;
  b.BaseNorth = static_cast<double>(BeltNorthEdge(sheet.belt));
  b.BaseWest = static_cast<double>(ZoneWestEdge(sheet.zone));
  b.BaseNorth = b.BaseNorth - at.row * size.height;
  b.BaseSouth = b.BaseNorth - size.height;
  b.BaseWest = b.BaseWest + at.column * size.width;
  b.BaseEast = b.BaseWest + (sheet.joined + 1) * size.width;

  if (sheet.series == Series::k1000000) {
    switch (sheet.joined) {
      case 1: b.DefaultMeridianStep = 2.0, b.DefaultxMinute = 20; break;
      case 3: b.DefaultMeridianStep = 4.0, b.DefaultxMinute = 40; break;
      default: b.DefaultMeridianStep = 1.0, b.DefaultxMinute = 10; break;
    }
    b.DefaultParallelStep = 2.0 / 3.0;
    b.DefaultyMinute = 10;
  } else {
    // The triple sheet takes a division of 5 minutes, not 3.
    switch (sheet.joined) {
      case 1: b.DefaultMeridianStep = 0.5, b.DefaultxMinute = 2; break;
      case 2: b.DefaultMeridianStep = 0.75, b.DefaultxMinute = 5; break;
      default: b.DefaultMeridianStep = 0.25, b.DefaultxMinute = 1; break;
    }
    b.DefaultParallelStep = 1.0 / 6.0;
    b.DefaultyMinute = 1;
  }
  return b;
}

void StoreBaseParameters(const BaseParameters& base, SheetParameters& p) {
  p.BaseWest = base.BaseWest;
  p.BaseEast = base.BaseEast;
  p.BaseSouth = base.BaseSouth;
  p.BaseNorth = base.BaseNorth;
  p.DefaultMeridianStep = base.DefaultMeridianStep;
  p.DefaultxMinute = base.DefaultxMinute;
  p.DefaultParallelStep = base.DefaultParallelStep;
  p.DefaultyMinute = base.DefaultyMinute;
}

void UseBaseTrapezoid(SheetParameters& p) {
  p.xFrom = p.BaseWest;
  p.xTo = p.BaseEast;
  p.yFrom = p.BaseSouth;
  p.yTo = p.BaseNorth;
  p.MeridianStep = p.DefaultMeridianStep;
  p.xMinute = p.DefaultxMinute;
  p.ParallelStep = p.DefaultParallelStep;
  p.yMinute = p.DefaultyMinute;
}

}  // namespace mapbasis
