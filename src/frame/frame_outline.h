// Closed outlines around the sheet at a distance on the map: the minute band's boundaries and the
// outer frame lines. An outline is a ring clockwise from its north-west corner: north edge west to
// east, east edge down, south edge back west, west edge up. Each edge is lengthened by the
// distance at both ends, so that consecutive edges meet at the outline's corners.
#pragma once

#include <cstdint>

#include "core/outcome.h"
#include "core/vertex_work.h"
#include "frame/frame_args.h"
#include "frame/frame_output.h"
#include "frame/map_offsets.h"

namespace mapbasis {

// Appends the closed outline off mm outside the trapezoid, its vertices stepped at the trapezoid's
// own spacings from each edge's start; returns its vertex count.
std::int32_t AppendOuterFrameOutline(double off, const PrintedMap& map, const DrawnTrapezoid& sheet,
                                     VertexWork& work);

// Writes the outline off mm outside the result trapezoid into the Frame layer with `code`.
Outcome AddOuterFrameOutline(FrameRecords& out, std::int32_t code, double off,
                             const PrintedMap& map, const FrameArgs& args, VertexWork& work);

}  // namespace mapbasis
