// The two sub-folders of a result folder: HYPS for the graticule layers, FRAME for the frame
// layers. Before a run they are created, or cleared of the layers that the run will replace.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/outcome.h"

namespace mapbasis {

inline constexpr std::int32_t kFoldersReady = 0;
inline constexpr std::int32_t kResultFolderMissing = 1;
inline constexpr std::int32_t kHypsFolderFailed = 2;
inline constexpr std::int32_t kFrameFolderFailed = 3;

// The longest base path of a layer (folder, separator and layer name, in cp1251 characters).
inline constexpr std::size_t kMaxLayerBasePathLength = 255;

// Whether every layer of both sub-folders will have a base path short enough, so that a result
// folder too long for its layers is refused before anything is made. Status 2 (HYPS) or 3 (FRAME).
Outcome CheckLayerPathLengths(std::string_view R);

// Prepares the sub-folders of the result folder R (cp1251, ending with the separator). Path
// becomes R + "HYPS" and FramePath R + "FRAME" whatever happens. A missing sub-folder is created;
// in an existing one, each old layer (HypsA, HypsL, HypsP; Frame, FrameDig, FrameAdj) whose shape
// file is there has the files of its shapefile family deleted (.shp, .shx, .dbf, .prj, .cpg and
// the sidecar indexes and metadata), names matched without regard to case, a link removed as a
// link. Nothing else in the folders is touched. Returns 0, 1 when R does not exist, 2 or 3 when
// the HYPS or FRAME folder cannot be made (or would be longer than a path may be) or an old
// layer file cannot be deleted, each with one line saying why.
Outcome PATHPROCESS(std::string_view R, std::string& Path, std::string& FramePath);

}  // namespace mapbasis
