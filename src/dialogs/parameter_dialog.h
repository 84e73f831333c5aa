// The main parameter dialog: the coordinate system, the series and map scale, the sheet (belt,
// zone, number, combined kind) and the result folder. On OK it computes the base trapezoid of the
// chosen sheet and fills the run's record; the refinement dialog may have refined the trapezoid
// and its graticule first.
#pragma once

#include <cstdint>
#include <ostream>

#include "core/sheet_parameters.h"
#include "dialogs/dialog_layer.h"
#include "driver/interactive_shell.h"
#include "geometry/sheet_trapezoid.h"

namespace mapbasis {

// What the dialogs remember between callbacks and between showings, for the life of the program.
struct DialogState {
  // True while a refinement confirmed in the refinement dialog holds for the current selections;
  // any change of series, belt, zone, sheet number or combined kind clears it.
  bool Refined = false;
  double RefinedxFrom = 0.0, RefinedxTo = 0.0, RefinedyFrom = 0.0, RefinedyTo = 0.0;
  double RefinedMeridianStep = 0.0;
  std::int32_t RefinedxMinute = 0;
  double RefinedParallelStep = 0.0;
  std::int32_t RefinedyMinute = 0;

  // The selections last read back, and the base trapezoid and defaults of that sheet.
  std::int32_t CS = 0, MillionSeries = 0, MapScale = 0, Belt = 0, Zone = 0;
  std::int32_t SheetNo = 0;  // kept while the 1:1 000 000 series is chosen, which has none
  std::int32_t ExtraSheets = 0;
  BaseParameters base;
};

// The sheet the selections last read back choose.
GridSheet SelectedSheet(const DialogState& state);

// The dialogs of one program run.
struct ParameterDialogs {
  DialogToolkit& toolkit;
  std::ostream& textOutput;  // where a dialog that cannot be made is reported
  DialogState state;
};

// Shows the main dialog until the user confirms it with a result folder or cancels it, and fills
// the record's sheet, trapezoid, steps and Path. A dialog that cannot be made counts as
// cancelled, after a line on the text output.
DialogVerdict RunParameterDialog(ParameterDialogs& dialogs, SheetParameters& p);

// Reads the selections of the main dialog into the state and computes the sheet's base values.
void ReadMainDialogSelections(DialogState& state, const Dialog& dialog);

// Refills the combined-sheet list for the series and belt items (counted from 1) and keeps the
// kind item, or the widest kind the belt still offers. The sheet item does not matter.
void FillSheetKindList(Dialog& dialog, int seriesItem, int beltItem, int sheetItem, int kindItem);

// Callbacks of the main dialog's lists and of its folder button.
void OnSeriesScaleChanged(DialogState& state, Dialog& dialog, int controlId, DialogReason reason);
void OnBeltChanged(DialogState& state, Dialog& dialog, int controlId, DialogReason reason);
void OnZoneChanged(DialogState& state, Dialog& dialog, int controlId, DialogReason reason);
void OnSheetNumberChanged(DialogState& state, Dialog& dialog, int controlId, DialogReason reason);
void OnSheetKindChanged(DialogState& state, Dialog& dialog, int controlId, DialogReason reason);
void OnFolderButton(DialogToolkit& toolkit, Dialog& dialog, int controlId, DialogReason reason);

}  // namespace mapbasis
