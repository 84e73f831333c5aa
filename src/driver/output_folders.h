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

// Prepares the sub-folders of the result folder R (cp1251, ending with the separator). Path
// becomes R + "HYPS" and FramePath R + "FRAME" whatever happens. A missing sub-folder is created;
// in an existing one, each old layer (HypsA, HypsL, HypsP; Frame, FrameDig, FrameAdj) whose shape
// file is there has all its files deleted, names matched without regard to case. Nothing else in
// the folders is touched. Returns 0, 1 when R does not exist, 2 or 3 when the HYPS or FRAME folder
// cannot be made (or would be longer than a path may be), each with one line saying why.
Outcome PATHPROCESS(std::string_view R, std::string& Path, std::string& FramePath);

}  // namespace mapbasis
