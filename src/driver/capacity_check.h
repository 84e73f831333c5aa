// What a run can hold: 100 graticule lines each way and 10 000 vertices a line. A sheet that would
// need more is refused before its first layer is written.
#pragma once

#include "core/outcome.h"
#include "core/sheet_parameters.h"

namespace mapbasis {

enum class CapacityFault { kDoesNotFit = 1 };

// Success when the sheet fits; otherwise kDoesNotFit and one line saying what does not fit.
// Non-positive or non-finite spacings and divisions, and edges that are not finite, are refused
// here too.
Outcome CheckSheetFits(const SheetParameters& p);

}  // namespace mapbasis
