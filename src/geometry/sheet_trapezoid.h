// The base trapezoid and default spacings of a sheet from its place in the sheet grid.
//
// The grid: belts of 4 degrees of latitude counted southward from 88 N (0 = V .. 12 = J), zones
// of 6 degrees of longitude (zone 31 starts at 0, zone 60 at 174, zone 1 at 180). A 1:1 000 000
// sheet is one belt by one zone; it is cut into 6 x 6 sheets of the 1:200 000 series, 40' tall and
// 1 degree wide, numbered 1..36 row by row from the north-west. A combined sheet joins 1..3
// further sheets eastward and is named and placed by its westernmost member.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/sheet_parameters.h"

namespace mapbasis {

struct BaseParameters {
  double BaseWest = 0.0, BaseEast = 0.0, BaseSouth = 0.0, BaseNorth = 0.0;
  double DefaultMeridianStep = 0.0;
  std::int32_t DefaultxMinute = 0;
  double DefaultParallelStep = 0.0;
  std::int32_t DefaultyMinute = 0;
};

// The base trapezoid of the named sheet with its joined sheets, and its default graticule
// spacing and minute-scale divisions. Validates nothing: the callers pass Belt 0..12, Zone 1..60,
// SheetNo 1..36 in the 1:200 000 series and ExtraSheets 0..3. The east edge is never reduced
// below 360.
BaseParameters ComputeBaseTrapezoid(std::int32_t MillionSeries, std::int32_t Belt,
                                    std::int32_t Zone, std::int32_t SheetNo,
                                    std::int32_t ExtraSheets);

// Copies the base trapezoid and the defaults into the record.
void StoreBaseParameters(const BaseParameters& base, SheetParameters& p);

// Makes the result trapezoid the base trapezoid and the working steps and divisions the defaults:
// the sheet as it is, unrefined.
void UseBaseTrapezoid(SheetParameters& p);

// The combined-sheet kinds (ExtraSheets values) that may be chosen for a sheet of the series in
// the belt, in the order the parameter dialog offers them: far north up to three sheets (the
// 1:1 000 000 series joins four instead of three), 64..76 N two, south of 64 N only one.
std::vector<std::int32_t> OfferedSheetKinds(std::int32_t MillionSeries, std::int32_t Belt);

// The dialog's name of a kind (cp1251), padded with inner blanks to 17 characters; the double and
// quadruple names begin with the Latin capital C.
std::string_view SheetKindText(std::int32_t ExtraSheets);

}  // namespace mapbasis
