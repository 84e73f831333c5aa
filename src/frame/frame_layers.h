// The FRAME folder of a sheet: the layers Frame (minute band, outer frame, graticule extensions),
// FrameAdj (names of the neighbouring sheets) and FrameDig (coordinate labels), as far as the map
// scale draws their parts (core/map_scales.h, shapeout/layer_catalogue.h's WritesLayer).
#pragma once

#include <cstdint>
#include <span>

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "frame/frame_args.h"
#include "frame/frame_output.h"

namespace mapbasis {

// Writes the frame layers into args.Folders.frame. The graticule lists are the drawn parallels
// (south to north) and meridians (west to east), completed with the sheet edges that lie on the
// graticule. Records come in this order: the minute band, the outer frame and the neighbours'
// names, the graticule extensions, the coordinate labels. On failure no layer is finished: whatever
// was written is not a complete FRAME folder.
Outcome WriteFrameLayers(const FrameArgs& args, std::span<const double> ParallelLats,
                         std::span<const double> MeridianLons, VertexWork& work);

// Draws the frame of the map scale, handing each record to `out` in the order above, without
// opening or finishing any layer. Fails (kNotWritten) at the first record `out` refuses.
Outcome DrawFrame(FrameRecords& out, const FrameArgs& args, std::span<const double> ParallelLats,
                  std::span<const double> MeridianLons, VertexWork& work);

}  // namespace mapbasis
