// The result folder of a batch run, made when it is missing. A folder that cannot be made leaves
// nothing behind: its name is checked part by part first, and the folders above it that were made
// on the way are taken away again when it fails after all.
#pragma once

#include <string_view>

#include "core/outcome.h"
#include "core/sheet_parameters.h"

namespace mapbasis {

// Whether every part of the folder path R (cp1251) can be a folder's name here: no longer than a
// name may be (255 bytes as the system stores it), and no character a name cannot hold. Status 1
// (the result folder cannot exist) and one line naming the part.
Outcome CheckResultFolderName(std::string_view R);

// Makes the result folder of the record with the folders above it that are missing; an existing
// folder is kept. On failure (status 7, as the parameter reader reports it) the folders this call
// made are removed again.
Outcome MakeResultFolder(const SheetParameters& p);

}  // namespace mapbasis
