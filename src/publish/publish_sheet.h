// Putting a sheet in place of what its result folder holds, all or nothing, in one call: the
// result folder is made with the folders above it when it is missing (result_folder.h), locked
// against other runs, its old files are found and checked (folder_plan.h), HYPS and FRAME are
// made where missing, the sets that stand there unchanged are left out, everything else is
// replaced (file_replacement.h), and the folders the call made are taken away again unless the
// sheet stands in the end. --index puts its one layer in place the same way.
//
// Every question to the system goes to the platform::FileSystem handed in, and nothing is kept
// between calls: threads may publish sheets into different result folders at the same time, each
// call holding its own folder's lock for as long as it takes.
#pragma once

#include <functional>
#include <string_view>

#include "core/outcome.h"
#include "platform/file_system.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

struct Published {
  Outcome outcome;                 // the failure and one line saying why; none when done
  bool refused = false;            // the folders could not take the files as they stood, and
                                   // nothing was changed (a run then ends with 8, else with 16)
  bool replacedOldLayers = false;  // done over the layers of an earlier run (a .shp was there)
};

// Puts the sheet's files (the layers of HYPS and FRAME, then the project, each a set of files
// with its key last, as the run made them in memory) in place in `folders`, the project named
// `project` in the result folder. What stands there exactly as the sheet has it is left as it is
// and taken out of `files`. Fails with a FolderFault (refused) or a PublishFault (refused when an
// old file could not be moved aside, nothing changed; otherwise failed, the old sheet standing as
// it was, or as the fault says).
Published PublishSheet(platform::FileSystem& system, const ResultFolders& folders,
                       std::string_view project, FileSets& files);

// Puts one layer, named `layer`, into the result folder itself (the sheet index), in place of its
// old files there: the folder is made, locked and planned first, `make` then writes the layer's
// files (a failure there fails the call as it is), and the rest goes as for a sheet. A folder that
// cannot take the layer refuses it with `refusal`.
Published PublishLayer(platform::FileSystem& system, const ResultFolders& folders,
                       std::string_view layer, const Fault& refusal,
                       const std::function<Outcome(FileSets&)>& make);

}  // namespace mapbasis
