// The minute band: a graduated band around the sheet outside its edge, divided every xMinute
// minutes of longitude along the north and south sides and every yMinute minutes of latitude
// along the west and east sides, every other division filled. It is drawn with polylines only:
// two closed boundaries, a tick across the band at each division, and a line along the middle of
// each filled division, which the map's symbology widens to the band's width.
//
// Divisions are counted from the base trapezoid's corner (BaseWest, BaseSouth), whose cell has the
// style's first fill state, so a refined sheet keeps the divisions of its base sheet. A division
// cut by the sheet's edge is drawn up to the edge and filled by the alternation like any other.
#pragma once

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "frame/frame_args.h"
#include "frame/frame_output.h"
#include "frame/frame_style.h"

namespace mapbasis {

// Writes the band's inner and outer boundary, then the ticks and filled cells of the north, south,
// west and east sides, into the Frame layer. Status 0, or 2 when a record could not be written.
Outcome WriteMinuteBand(FrameRecords& out, const FrameStyle& style, const FrameArgs& args,
                        VertexWork& work);

// One side along a parallel: the north side (north = true) or the south side.
Outcome WriteMinuteBandAlongParallel(FrameRecords& out, bool north, const FrameStyle& style,
                                     const FrameArgs& args, VertexWork& work);

// One side along a meridian: the west side (west = true) or the east side.
Outcome WriteMinuteBandAlongMeridian(FrameRecords& out, bool west, const FrameStyle& style,
                                     const FrameArgs& args, VertexWork& work);

}  // namespace mapbasis
