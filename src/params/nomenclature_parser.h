// Reading a sheet name typed in a parameter file: N-37, N37(2), N-37-XIV, N3714, N-37-XIV(3).
#pragma once

#include <cstdint>
#include <string_view>

#include "core/sheet_parameters.h"

namespace mapbasis {

// Parses the name into MillionSeries, Belt, Zone, SheetNo and ExtraSheets and, when it is
// accepted, computes the base trapezoid and default steps of the sheet into the record.
// Returns 0 when accepted, 1 when rejected; a rejection sets MillionSeries to kRejected, and the
// fields set before the failing step keep their new values.
std::int32_t ParseSheetName(std::string_view text, SheetParameters& p);

}  // namespace mapbasis
