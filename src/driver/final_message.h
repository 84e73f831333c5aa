// The texts of the message box that ends an interactive run: the outcome first, in the words the
// users know, then what was made and where, or why nothing was.
#pragma once

#include <string>
#include <string_view>

#include "core/sheet_parameters.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

// "Задание выполнено", then the sheet, its coordinate system and map scale and the full paths of
// the HYPS and FRAME folders, and whether the layers of an earlier run there were replaced.
std::string DoneMessage(const SheetParameters& p, const ResultFolders& folders,
                        bool replacedOldLayers);

// `outcome` (the box's usual text), then the one line that says why, as a batch run prints it.
std::string NotDoneMessage(std::string_view outcome, std::string_view reason);

}  // namespace mapbasis
