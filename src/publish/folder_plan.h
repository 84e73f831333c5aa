// The folders a sheet goes to, prepared: the two sub-folders of a result folder, HYPS for the
// graticule layers and FRAME for the frame layers, and the result folder's own project. What a
// run finds there before it touches anything (the old files its sheet replaces, and whether it may
// replace them), and the sub-folders made where missing. Every question goes to the
// platform::FileSystem handed in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"
#include "platform/file_system.h"
#include "publish/file_replacement.h"
#include "publish/folder_fault.h"
#include "publish/result_folder.h"
#include "shapeout/sheet_files.h"

namespace mapbasis {

// What putting a sheet in place will do, found before anything is touched.
struct OutputPlan {
  std::vector<std::filesystem::path> foldersToMake;  // HYPS and FRAME, where missing
  OldFiles old;            // the old layers and project, and what stopped runs left
  bool oldLayers = false;  // whether a layer of an earlier run (its .shp) is there
};

// Finds, in `folder`, the files of the shapefile family (.shp, .shx, .dbf, .prj, .cpg, the sidecar
// indexes and metadata, .qml; layer_family.h) of each layer named, in any letter case, a link as a
// link: each layer's files are an old set, its .shp first, companions without a .shp included. The
// hidden files that stopped runs left for those names are leftovers. Every one of them must be a
// file the run may move and delete. Touches nothing. Fails with `refusal` and why: a folder that
// cannot be read, a folder standing where a layer file goes, a file that cannot be moved (another
// program holding it open is named with the advice to close the sheet there).
Outcome PlanLayerFamilies(platform::FileSystem& system, const std::filesystem::path& folder,
                          std::span<const std::string_view> layers, const Fault& refusal,
                          OldFiles& old, bool& foundLayer);

// Finds out what putting the sheet in place takes, and whether it can be done; touches nothing.
// The result folder must exist and be a folder the run may write in (its project goes there);
// each sub-folder must be a folder (a link to one counts) the run may read and write in, or be
// missing from the result folder; every old layer file of the catalogue's layers, the old project
// (`project`, the project's file name, in any letter case) and every leftover of a stopped run
// must be files the run may move and delete. Nothing else in the folders is touched: `HypsA.zip`,
// `HypsA.shp.bak` stay.
//
// Fails with kResultFolderMissing when the result folder does not exist (or is no folder),
// kHypsFolder or kFrameFolder when that folder cannot be used or its old layers cannot be moved,
// kResultFile when the result folder or its project cannot be written, each with one line saying
// why.
Outcome PlanOutputFolders(platform::FileSystem& system, const ResultFolders& folders,
                          std::string_view project, OutputPlan& plan);

// Makes the sub-folders the plan says are missing (one that appears meanwhile is as good), noting
// those it made in `made`. Fails with kHypsFolder or kFrameFolder.
Outcome MakeOutputFolders(platform::FileSystem& system, const OutputPlan& plan, MadeFolders& made);

}  // namespace mapbasis
