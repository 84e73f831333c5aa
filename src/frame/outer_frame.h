// The outer frame of the sheet, the extensions of the graticule lines out to the minute band, and
// the frame's labels.
#pragma once

#include <span>

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "frame/frame_args.h"
#include "frame/frame_output.h"
#include "frame/frame_style.h"

namespace mapbasis {

// Writes, in this order: the outer frame (one outline; or three, the two companions first; or, at
// 1:200 000, four pieces broken by the neighbours' names with the names themselves), the
// extensions of every parallel (west, then east) and then of every meridian (north, then south)
// from the sheet edge to the minute band, and the coordinate labels. Status 0, or 2 when a record
// could not be written.
Outcome WriteOuterFrameAndLabels(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                                 std::span<const double> ParallelLats,
                                 std::span<const double> MeridianLons, VertexWork& work);

}  // namespace mapbasis
