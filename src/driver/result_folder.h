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
// name may be (255 bytes as the system stores it), no character a name cannot hold, no name the
// system keeps for a device (Windows: CON, NUL, COM1, aux.txt ...).
// FolderFault::kResultFolderMissing (the result folder cannot exist) and one line naming the part.
Outcome CheckResultFolderName(const ResultFolders& folders);

// Every check of the result folder that a run makes before it touches anything, the interactive
// run's folder field at OK as well as a batch run's Path: its name (CheckResultFolderName), its
// layers' path lengths (CheckLayerPathLengths), and that it is a folder the run may write in, or
// that it can be made: the nearest folder above it that is there is one the run may write in (a
// missing drive is named as such). Touches nothing; fails with the fault a run would end with and
// one line saying why.
Outcome CheckResultFolder(const ResultFolders& folders);

// Makes the result folder with the folders above it that are missing; an existing folder is kept.
// Its name goes to no command interpreter, so blanks, quotes and shell characters are plain parts
// of it. On failure (FolderFault::kResultFolderNotMade, when it cannot be made or something that is
// not a folder stands at its path, or its drive is not there) the folders this call made are
// removed again.
Outcome MakeResultFolder(const ResultFolders& folders);

}  // namespace mapbasis
