// Reading a sheet name typed in a parameter file: N-37, N37(2), N-37-XIV, N3714, N-37-XIV(3), and
// the combined sheets as the program writes them, P-47-I,II, Q-41,42, P-47-VI,48-I.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/sheet_parameters.h"
#include "geometry/sheet_grid.h"

namespace mapbasis {

// Parses the name into MillionSeries, Belt, Zone, SheetNo and ExtraSheets and, when it is
// accepted, computes the base trapezoid and default steps of the sheet into the record.
// Returns 0 when accepted, 1 when rejected; a rejection sets MillionSeries to kRejected, and the
// fields set before the failing step keep their new values.
//
// A combined sheet is written with the mark of the sheets it counts, (2), (3) or (4), in any belt;
// or as the program writes its name, the joined sheets after commas, where the program writes
// names of that kind (geometry/sheet_grid.h, IsKindNamedInBelt).
std::int32_t ParseSheetName(std::string_view text, SheetParameters& p);

// The sheet that a name refused only for its kind writes: a combined sheet as the program writes
// its name, of a kind it writes in no sheet of that belt (N-37-I,II). Empty for any other name.
std::optional<GridSheet> CombinedSheetNotNamedInBelt(std::string_view text);

}  // namespace mapbasis
