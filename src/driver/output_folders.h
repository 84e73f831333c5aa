// The two sub-folders of a result folder: HYPS for the graticule layers, FRAME for the frame
// layers. Before a run they are created, or cleared of the layers that the run will replace.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/outcome.h"
#include "driver/folder_fault.h"
#include "shapeout/result_folders.h"

namespace mapbasis {

// Whether every layer of both sub-folders will have a base path short enough (kMaxBasePathLength,
// shapeout/layer_files.h), so that a result folder too long for its layers is refused before
// anything is made. FolderFault::kHypsFolder or kFrameFolder.
Outcome CheckLayerPathLengths(const ResultFolders& folders);

// What preparing the folders did with the layers of an earlier run: whether there was one (its
// shape file, in any case, was removed), and the companions of old layers (HypsA.dbf, HypsA.shx,
// HypsA.PRJ) whose shape file is gone but which are left standing, so that the new layer's files
// replace them in one step each. A run that did not write a layer again must remove them:
// RemoveUnreplacedCompanions.
struct OldLayers {
  bool found = false;
  struct Layer {
    std::filesystem::path shapeFile;  // the layer's .shp as the run writes it
    std::vector<std::filesystem::path> companions;
  };
  std::vector<Layer> kept;
};

// Removes the kept companions of every layer that has no shape file now. Failures are ignored:
// what stays is no layer (it has no shape file), and the next run removes it.
void RemoveUnreplacedCompanions(const OldLayers& old);

// Prepares the HYPS and FRAME folders of the result folder.
//
// First everything is checked and nothing is touched: each sub-folder must be a folder (a link to
// one counts) the run may read and write in, or be missing from a folder the run may write in;
// every file to be deleted must be deletable. A refusal leaves both folders as they were. Then a
// missing sub-folder is created (one that appears meanwhile is as good), and in an existing one
// the run removes:
//   - every stale temporary (".mapbasis-*") of a run that was stopped half-way;
//   - the files of the shapefile family (.shp, .shx, .dbf, .prj, .cpg, the sidecar indexes and
//     metadata, .qml) of each layer (HypsA, HypsL, HypsP; Frame, FrameDig, FrameAdj), names
//     matched without regard to case, a link removed as a link; the .shp goes first, so that a
//     layer is never seen half deleted. Companions without a .shp, which a stopped run leaves, go
//     too.
// The files named in `resultFiles` (the result folder's own, such as its QGIS project) must be
// files the run may delete; they are removed once everything is checked, before any layer.
// With `old`, the companions that a new layer's files will replace by name are left standing and
// listed there instead of being deleted, and whether an old layer was there is said there too.
// Nothing else in the folders is touched.
//
// Fails with kResultFolderMissing when the result folder does not exist (or is no folder),
// kHypsFolder or kFrameFolder when that folder cannot be prepared, kResultFile when a file of the
// result folder cannot be replaced, each with one line saying why.
Outcome PrepareOutputFolders(const ResultFolders& folders, OldLayers* old = nullptr,
                             std::span<const std::string_view> resultFiles = {});

}  // namespace mapbasis
