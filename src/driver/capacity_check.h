// What a run can hold: 100 graticule lines each way and 10 000 vertices a line of the sheet. A
// sheet that would need more is refused before it is generated. (A frame line that would need more,
// far outside a sheet near the pole, fails the generation, which is made in memory before anything
// on disk is touched.)
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
