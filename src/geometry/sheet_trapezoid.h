// The base trapezoid and default spacings of a sheet from its place in the sheet grid
// (geometry/sheet_grid.h).
#pragma once

#include <cstdint>

#include "core/sheet_parameters.h"
#include "geometry/sheet_grid.h"

namespace mapbasis {

struct BaseParameters {
  double BaseWest = 0.0, BaseEast = 0.0, BaseSouth = 0.0, BaseNorth = 0.0;
  double DefaultMeridianStep = 0.0;
  std::int32_t DefaultxMinute = 0;
  double DefaultParallelStep = 0.0;
  std::int32_t DefaultyMinute = 0;
};

// The base trapezoid of the sheet with its joined sheets, and its default graticule spacing and
// minute-scale divisions. Validates nothing: the callers pass a belt 0..12, a zone 1..60, a
// number 1..36 in the 1:200 000 series and 0..3 joined sheets. The east edge is never reduced
// below 360.
BaseParameters ComputeBaseTrapezoid(const GridSheet& sheet);

// Copies the base trapezoid and the defaults into the record.
void StoreBaseParameters(const BaseParameters& base, SheetParameters& p);

// Makes the result trapezoid the base trapezoid and the working steps and divisions the defaults:
// the sheet as it is, unrefined.
void UseBaseTrapezoid(SheetParameters& p);

}  // namespace mapbasis
