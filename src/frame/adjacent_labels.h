// The names of the neighbouring sheets, each written in the middle of the side the two sheets
// share, in a gap of the outer frame line. The outer frame is drawn in four corner pieces between
// the gaps; a gap is the name's width plus 2 mm. A side that is not the base sheet's own side (the
// trapezoid was refined there) has no gap and no name, and neither has a side whose gap would
// reach a corner of the trapezoid: there the two pieces meet in the middle of the side.
#pragma once

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "frame/frame_args.h"
#include "frame/frame_output.h"
#include "frame/frame_style.h"

namespace mapbasis {

// Writes the four pieces of the outer frame clockwise from the north-west (into Frame), then the
// names of the north, south, west and east neighbours (into FrameAdj). The north and south names
// run west to east, the west and east names south to north. Status 0, or 2 when a record could
// not be written.
Outcome WriteAdjacentLabels(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                            VertexWork& work);

}  // namespace mapbasis
