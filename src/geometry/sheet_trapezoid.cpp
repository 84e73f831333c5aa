#include "geometry/sheet_trapezoid.h"

#include "core/cp1251.h"
#include "geometry/sheet_grid.h"

namespace mapbasis {

namespace {

constexpr auto kStandardSheet = Cp1251("Стандартный  лист");
constexpr auto kDoubleSheet = Cp1251("Cдвоенный    лист");
constexpr auto kTripleSheet = Cp1251("Строенный    лист");
constexpr auto kQuadrupleSheet = Cp1251("Cчетверенный лист");

}  // namespace

BaseParameters ComputeBaseTrapezoid(std::int32_t MillionSeries, std::int32_t Belt,
                                    std::int32_t Zone, std::int32_t SheetNo,
                                    std::int32_t ExtraSheets) {
  BaseParameters b;
  b.BaseNorth = static_cast<double>(88 - 4 * Belt);
  std::int32_t west = 6 * Zone + 174;
  if (west >= 360) west -= 360;
  b.BaseWest = static_cast<double>(west);

  if (MillionSeries != 0) {
    b.BaseSouth = b.BaseNorth - 4.0;
    b.BaseEast = b.BaseWest + static_cast<double>(6 * (ExtraSheets + 1));
    switch (ExtraSheets) {
      case 1: b.DefaultMeridianStep = 2.0, b.DefaultxMinute = 20; break;
      case 3: b.DefaultMeridianStep = 4.0, b.DefaultxMinute = 40; break;
      default: b.DefaultMeridianStep = 1.0, b.DefaultxMinute = 10; break;
    }
    b.DefaultParallelStep = 2.0 / 3.0;
    b.DefaultyMinute = 10;
  } else {
    const SheetSize size = SeriesSheetSize(MillionSeries);
    const SheetRowColumn at = RowColumnOfSheet(SheetNo);
    b.BaseNorth = b.BaseNorth - at.row * size.height;
    b.BaseSouth = b.BaseNorth - size.height;
    b.BaseWest = b.BaseWest + at.column * size.width;
    b.BaseEast = b.BaseWest + (ExtraSheets + 1) * size.width;
    // The triple sheet takes a division of 5 minutes, not 3.
    switch (ExtraSheets) {
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

std::vector<std::int32_t> OfferedSheetKinds(std::int32_t MillionSeries, std::int32_t Belt) {
  if (Belt <= 2) return {0, 1, MillionSeries != 0 ? 3 : 2};
  if (Belt <= 5) return {0, 1};
  return {0};
}

std::string_view SheetKindText(std::int32_t ExtraSheets) {
  switch (ExtraSheets) {
    case 1: return kDoubleSheet;
    case 2: return kTripleSheet;
    case 3: return kQuadrupleSheet;
    default: return kStandardSheet;
  }
}

}  // namespace mapbasis
