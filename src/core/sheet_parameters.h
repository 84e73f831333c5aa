// The parameter record of a run: one per process, filled by the parameter dialog or the parameter
// file, read by every stage.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

namespace mapbasis {

// Markers for a value not given, and for a value that a parser rejected.
inline constexpr std::int32_t kNotGiven = -999;
inline constexpr double kNotGivenAngle = -999.0;
inline constexpr std::int32_t kRejected = -900;

// Fixed text lengths of the record, in cp1251 characters.
inline constexpr std::size_t kPathLength = 260;

// Longitudes run eastward in 0..360 (a west longitude L is held as 360 - L; zone 1 starts at 180)
// and an east edge may reach 360 or beyond. Latitudes are north latitudes. Angles are degrees.
//
// The record's numbers: all of it but the result folder, plain data that is copied as it stands
// (it crosses into the dialogs module so, whatever C++ runtime that carries).
struct SheetNumbers {
  std::int32_t CS = 0;             // coordinate system, 1..3 (core/coordinate_systems.h)
  std::int32_t MillionSeries = 0;  // 1 = the 1:1 000 000 series, 0 = the 1:200 000 series
  std::int32_t MapScale = 0;       // map scale within the series, 0..2 (core/map_scales.h)
  std::int32_t Belt = 0;           // row of the sheet grid from the north: 0 = V .. 12 = J
  std::int32_t Zone = 0;           // column of the sheet grid, 1..60
  std::int32_t SheetNo = 0;        // 1..36 in the 1:200 000 series, 0 otherwise
  std::int32_t ExtraSheets = 0;    // sheets joined eastward: 0 single .. 3 quadruple
  double xFrom = 0.0, xTo = 0.0;   // west and east edge of the result trapezoid
  double yFrom = 0.0, yTo = 0.0;   // south and north edge
  double MeridianStep = 0.0;       // spacing of the drawn meridians
  std::int32_t xMinute = 0;        // minute-scale division along the parallels, whole minutes
  double ParallelStep = 0.0;       // spacing of the drawn parallels
  std::int32_t yMinute = 0;        // minute-scale division along the meridians, whole minutes
  double BaseWest = 0.0, BaseEast = 0.0, BaseSouth = 0.0, BaseNorth = 0.0;
  double DefaultMeridianStep = 0.0;
  std::int32_t DefaultxMinute = 0;
  double DefaultParallelStep = 0.0;
  std::int32_t DefaultyMinute = 0;
  std::int32_t Status = 0;  // result of the stage that ran last, 0 = success
};
static_assert(std::is_trivially_copyable_v<SheetNumbers> &&
              std::is_standard_layout_v<SheetNumbers>);

struct SheetParameters : SheetNumbers {
  std::string Path;  // result folder (cp1251), ending with the separator
};

}  // namespace mapbasis
