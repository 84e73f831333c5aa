// The refinement dialog: the base trapezoid of the sheet chosen in the main dialog with its
// default graticule, and a result trapezoid, graticule spacing and minute-scale divisions that the
// user may change. Angles are shown and typed as degrees and minutes, divisions as minutes.
#pragma once

#include <cstdint>

#include "dialogs/dialog_layer.h"
#include "dialogs/parameter_dialog.h"

namespace mapbasis {

// Callback of the main dialog's refine button: opens the refinement dialog on the current
// selections, with the result fields starting from the base values. OK with valid values leaves
// the refinement confirmed; Cancel discards it, an earlier one too. A refinement dialog that
// cannot be made ends the main dialog as cancelled, after a line on the text output.
void OnRefineButton(ParameterDialogs& dialogs, Dialog& mainDialog, int controlId,
                    DialogReason reason);

// Callback of the "Test" button: validates as OK would, without closing.
void OnTestButton(ParameterDialogs& dialogs, Dialog& dialog, int controlId, DialogReason reason);

// Reads and validates every editable field, rewrites those that parsed in their normal form,
// shows all faults in one message box, updates the result sizes and the status text and sets
// Refined. 0 when every value is valid, 1 otherwise.
std::int32_t ValidateRefinementDialog(ParameterDialogs& dialogs, Dialog& dialog);

}  // namespace mapbasis
