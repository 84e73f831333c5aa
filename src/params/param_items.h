// The items of a parameter file, one at a time: key=value; with the value parsers of the keys
// CS, Path and MapScale. Texts are cp1251.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/outcome.h"
#include "core/sheet_parameters.h"

namespace mapbasis {

// A line is read up to its 1000th character.
inline constexpr std::size_t kParamLineLength = 1000;

// Why ReadParamItem refuses an item.
enum class ItemFault {
  kMalformed = 1,
  kUnknownKey = 2,
  kRejectedValue = 3,
  kRepeatedKey = 4,
  kScaleBeforeNom = 5,
};

// Takes the first item off a line buffer of at most 1000 characters, stores its value in the
// record and leaves the rest of the line in the buffer. A refused item comes with its ItemFault
// and a short English sentence saying why (cp1251, may quote the item).
Outcome ReadParamItem(std::string& line, SheetParameters& p);

// The code of the coordinate system whose parameter text the value is (core/coordinate_systems.h),
// blanks around the value ignored. Returns 0, or 1 with CS unchanged.
std::int32_t ParseCoordinateSystem(std::string_view value, std::int32_t& CS);

// The result folder without the blanks around it, ending in the path separator (appended when
// missing). Returns 0, or 1 with Path = "*" for fewer than 3 characters, or 1 with Path
// untouched for a folder path that would be longer than 260 characters with its separator.
std::int32_t ParseResultPath(std::string_view value, std::string& Path);

// The map scale of the sheet's series whose denominator in thousands the value is, blanks around
// it ignored (core/map_scales.h): MapScale = its place in the series. Returns 0, or 1 with
// MapScale = kRejected.
std::int32_t ParseMapScale(std::string_view value, std::int32_t MillionSeries,
                           std::int32_t& MapScale);

}  // namespace mapbasis
