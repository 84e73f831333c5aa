// The result folder of a run, made when it is missing, in the batch run and the interactive run
// alike. A folder that cannot be made leaves nothing behind: its name is checked part by part
// first, and the folders above it that were made on the way are taken away again when it fails
// after all.
#pragma once

#include <string_view>

#include "core/outcome.h"
#include "driver/folder_fault.h"
#include "shapeout/result_folders.h"

namespace mapbasis {

// Whether every part of the result folder's path can be a folder's name here: no longer than a
// name may be (255 bytes as the system stores it), and no character a name cannot hold.
// FolderFault::kResultFolderMissing (the result folder cannot exist) and one line naming the part.
Outcome CheckResultFolderName(const ResultFolders& folders);

// Makes the result folder with the folders above it that are missing; an existing folder is kept.
// Its name goes to no command interpreter, so blanks, quotes and shell characters are plain parts
// of it. On failure (FolderFault::kResultFolderNotMade, when it cannot be made or something that is
// not a folder stands at its path) the folders this call made are removed again.
Outcome MakeResultFolder(const ResultFolders& folders);

}  // namespace mapbasis
