// The sheet in view: the main dialog shows, as one line of text, the name of the sheet its lists
// add up to and the corners of the trapezoid a run would draw.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dialogs/dialog_layer.h"
#include "dialogs/parameter_dialog.h"

namespace mapbasis {

// «N-37-XIV:  54° 00' – 54° 40' с. ш.,  37° 00' – 38° 00' в. д.» for the sheet last read back
// into the state, with the refined trapezoid while a refinement holds (then «(уточнено)» follows).
// West longitudes (held as 360 - L) are written as such.
std::string SheetViewText(const DialogState& state);

// A longitude of a field of the refinement dialog: east longitudes (up to 180) as the plain angle,
// «37° 00'», west ones (held as 360 - L) as the main dialog's line writes them, «174° 00' з. д.».
std::string LongitudeFieldText(double lon);

// Reads a longitude field: an angle as ParseDegreesMinutes reads it (east, 0..360), or one
// followed by «з. д.» (west: 360 - L) or «в. д.» (east), with or without the blank and the dots.
std::optional<double> ParseLongitudeField(std::string_view text);

// Shows the sheet that the main dialog's selections make, with the state's refinement.
void ShowSheet(const DialogState& state, Dialog& mainDialog);

}  // namespace mapbasis
